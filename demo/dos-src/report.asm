; REPORT.COM: a DOS program that says how it was started. Copied under any name
; (CD.COM, DIR.EXE, ...) it shows which program ran (its full path, as DOS gives
; it), its arguments and its current drive and folder, and appends the same
; lines to MARKER.TXT in its current folder. It ends at once.
; REPORT.COM /SCREEN appends instead what the text screen shows, 25 rows of 80
; characters (a long line runs on into the next row), for checks that read
; DOSBox's own messages.
;   nasm -f bin -o REPORT.COM report.asm
        cpu 386
        org 100h

start:  mov di, report
        cmp dword [82h], '/SCR'
        je screen

        mov si, programLabel    ; "Program: " and the path after the environment
        call copy
        push ds
        mov ds, [2Ch]
        xor si, si
.var:   cmp byte [si], 0        ; NAME=VALUE texts, an empty one ends them
        je .end
.next:  lodsb
        or al, al
        jnz .next
        jmp .var
.end:   add si, 3               ; the empty text and the count of strings
        call copy
        pop ds
        call newline

        mov si, argsLabel       ; "Arguments:" and the command tail
        call copy
        mov si, 81h
        mov cl, [80h]
        xor ch, ch
        rep movsb
        call newline

        mov si, folderLabel     ; "Folder: " drive and folder
        call copy
        call folder
        call newline
        call publish
        jmp quit

screen: push ds                 ; the characters of the text screen, row by row
        mov ax, 0B800h
        mov ds, ax
        xor si, si
        mov dx, 25
.row:   mov cx, 80
.char:  lodsw
        stosb
        loop .char
        mov ax, 0A0Dh
        stosw
        dec dx
        jnz .row
        pop ds
        call append

quit:   mov ax, 4C00h
        int 21h

%include "dosio.inc"

programLabel db 'Program: ', 0
argsLabel    db 'Arguments:', 0
folderLabel  db 'Folder: ', 0
report:
