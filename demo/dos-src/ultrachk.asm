; ULTRACHK.COM: a real DOS game of the demo library whose HMI HMISET.CFG
; (ultrachk/HMISET.CFG) chose a Gravis UltraSound at 260, IRQ 11, DMA 7. It
; shows the ULTRASND variable it is started with, which tells a game where its
; UltraSound is, and appends it to MARKER.TXT.
;   nasm -f bin -i dos-src/ -o ULTRACHK.COM ultrachk.asm
        cpu 8086
        org 100h

        jmp start
hello   db 'Ultra Check, a DOS demo game of Quillon Loader', 13, 10, 0
varName db 'ULTRASND=', 0
VARLEN  equ 9
%include "showenv.inc"
