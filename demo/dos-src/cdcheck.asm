; CDCHECK.COM [file]: a DOS program that looks for its CD-ROM as a CD-ROM game
; does. It asks the CD-ROM driver (MSCDEX) through its install check, INT 2Fh
; AX=1500h, how many CD-ROM drives there are and which letter is the first,
; reads the first line of a file on that disc (the argument, a path from the
; disc's root; QUILLON.TXT when none is given), shows what it found and appends
; the same line to MARKER.TXT in its current folder. It ends at once.
;   nasm -f bin -o CDCHECK.COM cdcheck.asm
        cpu 386
        org 100h

start:  mov di, report
        mov si, cdLabel
        call copy
        mov ax, 1500h           ; BX: the number of CD-ROM drives, CX: the first (0 is A:)
        xor bx, bx
        int 2Fh
        or bx, bx
        jnz .found
        mov si, noneText
        call copy
        jmp .done

.found: movzx eax, bx
        call decimal
        mov si, drivesText      ; " drive(s), the first X:"
        call copy
        mov al, cl
        add al, 'A'
        stosb
        mov byte [path], al
        mov al, ':'
        stosb

        mov si, 81h             ; the file: the first word of the arguments
        mov bx, path + 3
        mov cl, [80h]
        xor ch, ch
.blank: jcxz .named
        lodsb
        dec cx
        cmp al, ' '
        je .blank
.name:  cmp al, ' '
        je .named
        cmp al, 13
        je .named
        mov [bx], al
        inc bx
        jcxz .named
        lodsb
        dec cx
        jmp .name
.named: cmp bx, path + 3
        jne .ended
        push di
        mov di, bx              ; no argument: QUILLON.TXT
        mov si, defaultFile
        call copy
        mov bx, di
        pop di
.ended: mov byte [bx], 0

        mov si, fileText        ; "; X:\FILE: " and its first line
        call copy
        mov si, path
        call copy
        mov ax, ': '
        stosw
        mov dx, path
        mov ax, 3D00h
        int 21h
        jc .unread
        mov bx, ax
        mov dx, di
        mov cx, 72
        mov ah, 3Fh
        int 21h
        jc .close
        mov cx, ax
.line:  jcxz .close
        mov al, [di]
        cmp al, 13
        je .close
        cmp al, 10
        je .close
        inc di
        dec cx
        jmp .line
.close: mov ah, 3Eh
        int 21h
        jmp .done
.unread:
        mov si, unreadText
        call copy

.done:  call newline
        call publish
        mov ax, 4C00h
        int 21h

%include "dosio.inc"

cdLabel     db 'CD-ROM: ', 0
noneText    db 'no drive', 0
drivesText  db ' drive(s), the first ', 0
fileText    db '; ', 0
unreadText  db '(not read)', 0
defaultFile db 'QUILLON.TXT', 0
path        db 'X:\'
            times 80 db 0
report:
