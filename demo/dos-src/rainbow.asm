; RAINBOW.COM: a tiny real DOS game of the demo library. It draws a colourful
; VGA screen (mode 13h, 320 x 200, 256 colours), lets its colours flow, and ends
; after a key or about four seconds.  nasm -f bin -o RAINBOW.COM rainbow.asm
        cpu 8086
        org 100h

TICKS   equ 73                  ; the BIOS clock ticks 18.2 times a second

start:  mov ax, 0013h           ; VGA 320 x 200, 256 colours
        int 10h
        mov ax, 0A000h
        mov es, ax
        xor di, di
        xor dx, dx              ; dx = y
.row:   xor cx, cx              ; cx = x
.col:   mov ax, cx              ; colour = x + 2y, with a band every 32 rows
        add ax, dx
        add ax, dx
        mov bl, dl
        and bl, 20h
        xor al, bl
        stosb
        inc cx
        cmp cx, 320
        jb .col
        inc dx
        cmp dx, 200
        jb .row

        mov si, title           ; the title in the middle of the screen
        mov dx, 0B0Ch           ; row 11, column 12
        mov bl, 0Fh
        call print13

        push ds
        xor ax, ax
        mov ds, ax
        mov bx, [046Ch]         ; the BIOS tick count at the start
        pop ds
        mov [startTick], bx
        xor bp, bp              ; the palette's shift

.frame: call palette
        inc bp
        call retrace
        mov ah, 01h             ; a key ends the show
        int 16h
        jnz .key
        push ds
        xor ax, ax
        mov ds, ax
        mov ax, [046Ch]
        pop ds
        sub ax, [startTick]
        cmp ax, TICKS
        jb .frame
        jmp .done
.key:   xor ah, ah
        int 16h

.done:  mov ax, 0003h           ; back to text mode
        int 10h
        mov dx, bye
        mov ah, 09h
        int 21h
        mov ax, 4C00h
        int 21h

; Sets the 256 colours as a rainbow shifted by bp.
palette:
        mov dx, 03C8h
        xor al, al
        out dx, al
        inc dx
        xor cx, cx
.entry: mov ax, cx
        add ax, bp
        mov bl, al
        and bl, 3Fh             ; the step within a sixty-four colour quarter
        mov bh, 3Fh
        sub bh, bl              ; and the step down
        and al, 0C0h
        cmp al, 00h
        je .q0
        cmp al, 40h
        je .q1
        cmp al, 80h
        je .q2
        mov al, bl              ; magenta to red
        out dx, al
        xor al, al
        out dx, al
        mov al, bh
        out dx, al
        jmp .next
.q0:    mov al, 3Fh             ; red to yellow
        out dx, al
        mov al, bl
        out dx, al
        xor al, al
        out dx, al
        jmp .next
.q1:    mov al, bh              ; yellow to cyan
        out dx, al
        mov al, 3Fh
        out dx, al
        mov al, bl
        out dx, al
        jmp .next
.q2:    xor al, al              ; cyan to blue
        out dx, al
        mov al, bh
        out dx, al
        mov al, 3Fh
        out dx, al
.next:  inc cx
        cmp cx, 256
        jb .entry
        ret

; Waits for the start of the next vertical retrace.
retrace:
        mov dx, 03DAh
.in:    in al, dx
        test al, 08h
        jnz .in
.out:   in al, dx
        test al, 08h
        jz .out
        ret

; Prints the zero-ended text at si from row dh, column dl in colour bl.
print13:
        mov ah, 02h
        xor bh, bh
        int 10h
.char:  lodsb
        or al, al
        jz .end
        mov ah, 0Eh
        int 10h
        jmp .char
.end:   ret

title     db 'QUILLON RAINBOW', 0
bye       db 'Rainbow: thanks for watching.', 13, 10, '$'
startTick dw 0
