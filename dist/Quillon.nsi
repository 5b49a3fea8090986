; The installer of Quillon Loader, built by makensis (dist/CMakeLists.txt):
;   makensis -DTARGET=x86-ansi -DEXE=... -DCHM=... -DDATAINI=... -DSOURCE=... -DOUTFILE=... Quillon.nsi
; TARGET is x86-ansi for the product (it runs on Windows 95 to XP) and
; amd64-unicode for the copy that the tests install under a 64-bit Wine.
; RUNTIME_DLL (optional) is the C run-time library that the installer looks for
; before anything else; the tests name one that does not exist.
;
; On an upgrade the program, its help and the read-me are replaced; Data.ini,
; the game files and the pictures are the player's and are written only where
; they are missing. The uninstaller removes what the installer put there and
; leaves the player's Data.ini, games and pictures.

!ifndef TARGET
  !define TARGET x86-ansi
!endif
!if "${TARGET}" == "x86-ansi"
  Unicode false
!else
  Unicode true
!endif
Target ${TARGET}

!define PRODUCT "Quillon Loader"
!define VERSION "0.8c"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\QuillonLoader"
!define MENU_FOLDER "$SMPROGRAMS\${PRODUCT}"

Name "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
SetCompressor /SOLID lzma
; The folder that the program's own messages name.
InstallDir "$PROGRAMFILES\${PRODUCT}"
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"
RequestExecutionLevel admin
ShowInstDetails show
ShowUninstDetails show
BrandingText "${PRODUCT} ${VERSION}"
Icon "${SOURCE}/res/art/Quillon.ico"
UninstallIcon "${SOURCE}/res/art/Quillon.ico"

; Quillon.exe uses the Microsoft C run-time library MSVCRT.DLL. Windows 95 as it
; first shipped lacks it (later releases of Windows 95 and Internet Explorer 4
; brought it); without it the program would not start at all. The installer
; says so and what to install, and stops before it writes anything, with exit
; code 3 (also when it runs silently).
!ifndef RUNTIME_DLL
  !define RUNTIME_DLL "$SYSDIR\msvcrt.dll"
!endif
Function .onInit
  IfFileExists "${RUNTIME_DLL}" runtime_found
    StrCpy $0 "${PRODUCT} needs the file MSVCRT.DLL (the Microsoft C run-time library) in the"
    StrCpy $0 "$0 Windows system folder, and this computer does not have it. Windows 95 as it"
    StrCpy $0 "$0 first shipped came without it.$\r$\n$\r$\nPlease install Internet Explorer 4.0 or"
    StrCpy $0 "$0 later, or Microsoft's Visual C++ 6.0 run-time package (VCREDIST.EXE): either"
    StrCpy $0 "$0 brings MSVCRT.DLL. Then run this setup again."
    MessageBox MB_OK|MB_ICONSTOP "$0" /SD IDOK
    SetErrorLevel 3
    Abort
  runtime_found:
FunctionEnd

Page directory
Page instfiles
UninstPage uninstConfirm
UninstPage instfiles

Section "${PRODUCT}"
  SetShellVarContext all
  SetOutPath "$INSTDIR"
  SetOverwrite on
  File "/oname=Quillon.exe" "${EXE}"
  File "/oname=Quillon.chm" "${CHM}"
  File "/oname=ReadMe.txt" "${SOURCE}/dist/ReadMe.txt"

  ; The player's own files: never replaced once they exist.
  SetOverwrite off
  File "/oname=Data.ini" "${DATAINI}"
  SetOutPath "$INSTDIR\Games"
  File "${SOURCE}/demo/Games/*.qgf"
  SetOutPath "$INSTDIR\Images"
  File "${SOURCE}/demo/Images/*.bmp"
  SetOverwrite on
  SetOutPath "$INSTDIR"

  WriteUninstaller "$INSTDIR\Uninstall.exe"

  CreateDirectory "${MENU_FOLDER}"
  CreateShortCut "${MENU_FOLDER}\${PRODUCT}.lnk" "$INSTDIR\Quillon.exe" "" "$INSTDIR\Quillon.exe" 0
  CreateShortCut "${MENU_FOLDER}\${PRODUCT} Help.lnk" "$INSTDIR\Quillon.chm"
  CreateShortCut "${MENU_FOLDER}\Read Me.lnk" "$INSTDIR\ReadMe.txt"
  CreateShortCut "${MENU_FOLDER}\Uninstall ${PRODUCT}.lnk" "$INSTDIR\Uninstall.exe"

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Quillon.exe,0"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section "Uninstall"
  SetShellVarContext all
  Delete "$INSTDIR\Quillon.exe"
  Delete "$INSTDIR\Quillon.chm"
  Delete "$INSTDIR\ReadMe.txt"
  Delete "$INSTDIR\Uninstall.exe"

  Delete "${MENU_FOLDER}\${PRODUCT}.lnk"
  Delete "${MENU_FOLDER}\${PRODUCT} Help.lnk"
  Delete "${MENU_FOLDER}\Read Me.lnk"
  Delete "${MENU_FOLDER}\Uninstall ${PRODUCT}.lnk"
  RMDir "${MENU_FOLDER}"

  ; The game file association points at the program that is going away; it is
  ; removed only when it is this copy's.
  ReadRegStr $0 HKCR "qgf_auto_file\shell\open\command" ""
  StrCmp $0 '"$INSTDIR\Quillon.exe" "%1"' 0 association_done
    DeleteRegKey HKCR "qgf_auto_file"
    ReadRegStr $1 HKCR ".qgf" ""
    StrCmp $1 "qgf_auto_file" 0 association_done
      DeleteRegKey HKCR ".qgf"
  association_done:

  DeleteRegKey HKLM "${UNINSTALL_KEY}"

  ; Only empty folders go: the player's games, pictures and Data.ini stay.
  RMDir "$INSTDIR\Games"
  RMDir "$INSTDIR\Images"
  RMDir "$INSTDIR"
SectionEnd
