; SOUNDCHK.COM: a tiny real DOS game of the demo library. It prints how it was
; started (its command line, its current folder and the BLASTER variable that
; tells a game where its Sound Blaster is), appends the same lines to MARKER.TXT
; in its current folder, and ends after a key or about four seconds.
;   nasm -f bin -o SOUNDCHK.COM soundchk.asm
        cpu 8086
        org 100h

TICKS   equ 73                  ; the BIOS clock ticks 18.2 times a second

start:  mov di, report
        mov si, hello           ; the heading
        call copy
        mov si, argsLabel       ; "Arguments: " and the command tail
        call copy
        mov si, 81h
        mov cl, [80h]
        xor ch, ch
        rep movsb
        call newline

        mov si, folderLabel     ; "Folder: " drive, ":\" and the current folder
        call copy
        mov ah, 19h
        int 21h
        add al, 'A'
        stosb
        mov ax, ':\'           ; al ':', ah '\'
        stosw
        mov si, di
        mov ah, 47h             ; DS:SI gets the folder, zero-ended
        xor dl, dl
        int 21h
        jc .nofolder
.skip:  cmp byte [di], 0
        je .nofolder
        inc di
        jmp .skip
.nofolder:
        call newline

        mov si, blasterName     ; "BLASTER=" and its value from the environment
        call copy
        call blaster
        call newline
        mov byte [di], '$'

        mov dx, report          ; on the screen
        mov ah, 09h
        int 21h

        mov dx, marker          ; appended to MARKER.TXT
        mov ax, 3D01h
        int 21h
        jnc .opened
        mov dx, marker
        mov ah, 3Ch
        xor cx, cx
        int 21h
        jc .wait
.opened:
        mov bx, ax
        mov ax, 4202h           ; to the end of the file
        xor cx, cx
        xor dx, dx
        int 21h
        mov dx, report
        mov cx, di
        sub cx, report
        mov ah, 40h
        int 21h
        mov ah, 3Eh
        int 21h

.wait:  push ds                 ; a key, or about four seconds
        xor ax, ax
        mov ds, ax
        mov bx, [046Ch]
        pop ds
.tick:  mov ah, 01h
        int 16h
        jnz .key
        push ds
        xor ax, ax
        mov ds, ax
        mov ax, [046Ch]
        pop ds
        sub ax, bx
        cmp ax, TICKS
        jb .tick
        jmp .end
.key:   xor ah, ah
        int 16h
.end:   mov ax, 4C00h
        int 21h

; Copies the zero-ended text at si to di.
copy:   lodsb
        or al, al
        jz .done
        stosb
        jmp copy
.done:  ret

newline:
        mov ax, 0A0Dh
        stosw
        ret

; Copies the value of BLASTER from the environment to di (nothing when unset).
blaster:
        push ds
        mov ds, [2Ch]           ; the environment: NAME=VALUE texts, an empty one ends it
        xor si, si
.var:   cmp byte [si], 0
        je .none
        mov bx, si
        push di
        push es
        push cs
        pop es
        mov di, blasterName
        mov cx, 8
        repe cmpsb
        pop es
        pop di
        je .found
        mov si, bx
.next:  lodsb
        or al, al
        jnz .next
        jmp .var
.found: lodsb
        or al, al
        jz .none
        stosb
        jmp .found
.none:  pop ds
        ret

hello       db 'Sound Check, a DOS demo game of Quillon Loader', 13, 10, 0
argsLabel   db 'Arguments:', 0
folderLabel db 'Folder: ', 0
blasterName db 'BLASTER=', 0
marker      db 'MARKER.TXT', 0
report:
