#!/bin/sh
# Checks the i686 product: a PE header that Windows 95 and NT 4 accept, and
# imports only from DLLs that those systems ship, and no function that Windows XP
# and older lack, nor one that Windows 95 and NT 4 lack; stripped (no symbols,
# no debug sections) and at most 1.125 MiB (1 MiB until the import of other
# launchers' libraries, about 100 KB of code of its own, came in).
exe=$1
dump=$(i686-w64-mingw32-objdump -p "$exe") || { echo "cannot read $exe"; exit 1; }
fail=0
for field in MajorOSystemVersion MajorSubsystemVersion; do
  v=$(echo "$dump" | awk -v f="$field" '$1==f {print $2}')
  [ "$v" = "4" ] || { echo "$field is '$v', want 4"; fail=1; }
done
for field in MinorOSystemVersion MinorSubsystemVersion; do
  v=$(echo "$dump" | awk -v f="$field" '$1==f {print $2}')
  [ "$v" = "0" ] || { echo "$field is '$v', want 0"; fail=1; }
done
echo "$dump" | grep -q '^Subsystem.*(Windows GUI)' || { echo "subsystem is not Windows GUI"; fail=1; }
allowed="kernel32.dll user32.dll gdi32.dll comctl32.dll comdlg32.dll shell32.dll ole32.dll advapi32.dll winmm.dll msvcrt.dll"
for dll in $(echo "$dump" | awk '/DLL Name:/ {print tolower($3)}'); do
  case " $allowed " in
    *" $dll "*) ;;
    *) echo "imports from $dll"; fail=1 ;;
  esac
done
# refuse_imports SYSTEM FUNCTION...: fails for each FUNCTION the exe imports.
refuse_imports() {
  local system=$1 fn
  shift
  for fn in "$@"; do
    if echo "$dump" | grep -E "^[[:space:]]+[0-9a-f]+[[:space:]]+[0-9]+[[:space:]]+$fn\$" >/dev/null; then
      echo "imports $fn, which $system lacks"; fail=1
    fi
  done
}
# Functions that appeared after Windows XP (or only with SP2+) and that a static
# runtime may pull in.
refuse_imports "Windows XP" GetTickCount64 InitializeConditionVariable SleepConditionVariableCS \
  WakeConditionVariable WakeAllConditionVariable InitializeSRWLock AcquireSRWLockExclusive AcquireSRWLockShared \
  InitOnceExecuteOnce GetCurrentProcessorNumber FlsAlloc FlsGetValue FlsSetValue FlsFree \
  GetSystemTimePreciseAsFileTime CreateSymbolicLinkA GetFinalPathNameByHandleA SetThreadStackGuarantee \
  GetLocaleInfoEx LCMapStringEx CompareStringEx InitializeCriticalSectionEx
# Functions that Windows 95 or NT 4 lack as they shipped (some came with
# Internet Explorer 4's shell or Windows 98): importing one keeps the program
# from starting there. Look such a function up at run time instead.
refuse_imports "Windows 95 or NT 4" SHGetSpecialFolderPathA SHGetFolderPathA SHCreateDirectoryExA GetLongPathNameA \
  GetFileAttributesExA IsDebuggerPresent InterlockedCompareExchange TrackMouseEvent CreateToolhelp32Snapshot \
  GetFileSizeEx SetFilePointerEx FlashWindowEx AnimateWindow GetAncestor GetMonitorInfoA MonitorFromWindow
i686-w64-mingw32-objdump -t "$exe" | grep -qx 'no symbols' || { echo "the symbol table is not stripped"; fail=1; }
if i686-w64-mingw32-objdump -h "$exe" | grep -q ' \.debug'; then echo "debug sections are left in"; fail=1; fi
size=$(wc -c <"$exe")
[ "$size" -le 1179648 ] || { echo "$size bytes, over the 1.125 MiB that Quillon.exe may take"; fail=1; }
[ $fail -eq 0 ] && echo "product executable: PE header 4.0, imports fit Windows 95 to XP, stripped, $size bytes"
exit $fail
