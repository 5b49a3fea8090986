; CPUCOUNT.COM [/P]: a DOS program that measures how fast DOSBox runs it. It
; counts the rounds of a small loop during 36 ticks of the BIOS clock (about two
; seconds of the emulated machine's time), shows the rounds per second and
; appends the same line to MARKER.TXT in its current folder. With /P it first
; switches the processor into protected mode and back, as a protected-mode
; game does, so that DOSBox's "cycles=auto" gives it the speed of such games.
;   nasm -f bin -o CPUCOUNT.COM cpucount.asm
        cpu 386
        org 100h

TICKS   equ 36

start:  mov di, report
        mov si, countLabel
        call copy
        mov si, 81h             ; /P anywhere in the arguments
        mov cl, [80h]
        xor ch, ch
.arg:   jcxz .counted
        lodsb
        dec cx
        cmp al, '/'
        jne .arg
        jcxz .counted
        mov al, [si]
        or al, 20h
        cmp al, 'p'
        jne .arg
        mov si, protectedLabel
        call copy
        cli                     ; into protected mode and straight back
        mov eax, cr0
        or al, 1
        mov cr0, eax
        jmp short .pm
.pm:    and al, 0FEh
        mov cr0, eax
        jmp short .rm
.rm:    sti

.counted:
        xor ax, ax
        mov es, ax
        mov bx, [es:046Ch]      ; wait for the start of a tick
.edge:  cmp bx, [es:046Ch]
        je .edge
        mov bx, [es:046Ch]
        xor ebp, ebp
.loop:  inc ebp                 ; one round: count and look at the clock
        mov ax, [es:046Ch]
        sub ax, bx
        cmp ax, TICKS
        jb .loop
        push ds
        pop es

        mov si, perSecond
        call copy
        mov eax, ebp            ; rounds per second: rounds x 1193182 / (36 x 65536)
        mov ecx, 1193182
        mul ecx
        mov ecx, TICKS * 65536
        div ecx
        call decimal
        mov si, loopsText
        call copy
        call newline
        call publish
        mov ax, 4C00h
        int 21h

%include "dosio.inc"

countLabel     db 'CPU count', 0
protectedLabel db ' (protected mode)', 0
perSecond      db ': ', 0
loopsText      db ' loops per second', 0
report:
