; BLASTPRO.COM: a real DOS game of the demo library that ships its own Miles
; DIG.INI (blastpro/DIG.INI: a Sound Blaster Pro at 240, IRQ 5, DMA 3). It
; shows the BLASTER variable it is started with, which tells a game where its
; Sound Blaster is, and appends it to MARKER.TXT.
;   nasm -f bin -i dos-src/ -o BLASTPRO.COM blastpro.asm
        cpu 8086
        org 100h

        jmp start
hello   db 'Blaster Pro, a DOS demo game of Quillon Loader', 13, 10, 0
varName db 'BLASTER=', 0
VARLEN  equ 8
%include "showenv.inc"
