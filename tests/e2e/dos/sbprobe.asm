; Reports what the emulated PC offers a Sound Blaster 16 program: the BLASTER
; variable, the port whose DSP resets, the IRQ that DSP command F2h raises,
; and the 8-bit and 16-bit DMA channels on which a 16-byte single-cycle
; transfer ends in that interrupt. The report goes to SBPROBE.TXT in the
; current directory, one finding a line.
        cpu 286
        org 0x100

start:  mov di, report
        call blaster
        call findDsp
        cmp word [base], 0
        je .done
        call hookIrqs
        call findIrq
        cmp byte [irq], 0
        je .unhook
        call findDma8
        call findDma16
.unhook:
        call unhookIrqs
.done:  call writeReport
        mov ax, 0x4c00
        int 0x21

; --- the report ------------------------------------------------------------
; Appends the zero-terminated text at SI to the report.
put:    lodsb
        test al, al
        jz .end
        stosb
        jmp put
.end:   ret

putLine:
        call put
newline:
        mov ax, 0x0a0d
        stosw
        ret

; Appends AX in hexadecimal without leading zeros (the port).
putHex: mov cx, 4
        xor dx, dx              ; set once a digit was written
.next:  rol ax, 4
        mov bl, al
        and bl, 0x0f
        jnz .digit
        test dx, dx
        jnz .digit
        cmp cx, 1
        jne .skip
.digit: mov dx, 1
        push ax
        mov al, bl
        add al, '0'
        cmp al, '9'
        jbe .store
        add al, 'A' - '9' - 1
.store: stosb
        pop ax
.skip:  loop .next
        ret

; Appends AL in decimal (0 to 99).
putDec: xor ah, ah
        mov bl, 10
        div bl
        test al, al
        jz .ones
        add al, '0'
        stosb
.ones:  mov al, ah
        add al, '0'
        stosb
        ret

writeReport:
        mov ah, 0x3c
        xor cx, cx
        mov dx, reportName
        int 0x21
        jc .end
        mov bx, ax
        mov cx, di
        sub cx, report
        mov dx, report
        mov ah, 0x40
        int 0x21
        mov ah, 0x3e
        int 0x21
.end:   ret

; --- BLASTER ------------------------------------------------------------------
blaster:
        push ds
        mov ds, [0x2c]          ; the environment
        xor si, si
.var:   cmp byte [si], 0
        je .none
        mov bx, si
        mov cx, 8
        push di
        push es
        push cs
        pop es
        mov di, blasterName
        repe cmpsb
        pop es
        pop di
        je .found
        mov si, bx
.skip:  lodsb
        test al, al
        jnz .skip
        jmp .var
.found: mov si, bx
        pop ds
        push ds
        mov ds, [0x2c]
.copy:  lodsb
        test al, al
        jz .copied
        stosb
        jmp .copy
.copied:
        pop ds
        jmp newline
.none:  pop ds
        mov si, noBlaster
        jmp putLine

; --- the DSP --------------------------------------------------------------------
; Resets the DSP at [base]; carry set when it does not answer AAh.
resetDsp:
        mov dx, [base]
        add dx, 6
        mov al, 1
        out dx, al
        in al, dx
        in al, dx
        in al, dx
        in al, dx
        xor al, al
        out dx, al
        mov cx, 1000
.wait:  mov dx, [base]
        add dx, 0x0e
        in al, dx
        test al, 0x80
        jz .again
        sub dx, 4               ; base + 0Ah
        in al, dx
        cmp al, 0xaa
        je .ok
.again: loop .wait
        stc
        ret
.ok:    clc
        ret

; Writes AL to the DSP.
dspWrite:
        push ax
        mov dx, [base]
        add dx, 0x0c
        mov cx, 0xffff
.busy:  in al, dx
        test al, 0x80
        loopnz .busy
        pop ax
        out dx, al
        ret

findDsp:
        mov bx, ports
.next:  mov ax, [bx]
        test ax, ax
        jz .none
        mov [base], ax
        push bx
        call resetDsp
        pop bx
        jnc .found
        add bx, 2
        jmp .next
.none:  mov word [base], 0
        mov si, noDsp
        jmp putLine
.found: mov si, dspText
        call put
        mov ax, [base]
        call putHex
        jmp newline

; --- interrupts ---------------------------------------------------------------
; One entry per IRQ a Sound Blaster may use: its number and vector.
%macro stub 1
irqStub%1:
        push ax
        mov al, %1
        jmp irqCommon
%endmacro
        stub 2
        stub 3
        stub 5
        stub 7
        stub 9
        stub 10
        stub 11
        stub 12
        stub 15

irqCommon:
        push dx
        mov [cs:fired], al
        mov dx, [cs:base]
        add dx, 0x0e            ; acknowledges an 8-bit interrupt
        in al, dx
        inc dx                  ; and a 16-bit one
        in al, dx
        mov al, 0x20
        cmp byte [cs:fired], 8
        jb .master
        out 0xa0, al
.master:
        out 0x20, al
        pop dx
        pop ax
        iret

; IRQ, vector, handler.
irqTable:
        db 2, 0x0a
        dw irqStub2
        db 3, 0x0b
        dw irqStub3
        db 5, 0x0d
        dw irqStub5
        db 7, 0x0f
        dw irqStub7
        db 9, 0x71              ; IRQ 2 on an AT; the BIOS hands it on to 0Ah
        dw irqStub9
        db 10, 0x72
        dw irqStub10
        db 11, 0x73
        dw irqStub11
        db 12, 0x74
        dw irqStub12
        db 15, 0x77
        dw irqStub15
irqCount equ 9

hookIrqs:
        push di
        cli
        mov si, irqTable
        mov di, savedVectors
        mov cx, irqCount
.next:  push cx
        mov al, [si + 1]
        mov ah, 0x35
        int 0x21
        mov [di], bx
        mov [di + 2], es
        mov al, [si + 1]
        mov ah, 0x25
        mov dx, [si + 2]
        int 0x21
        add si, 4
        add di, 4
        pop cx
        loop .next
        push cs
        pop es
        in al, 0x21
        mov [savedMasks], al
        and al, ~(0x04 | 0x08 | 0x20 | 0x80)
        out 0x21, al
        in al, 0xa1
        mov [savedMasks + 1], al
        and al, ~(0x02 | 0x04 | 0x08 | 0x10 | 0x80)   ; 9 (for 2), 10, 11, 12, 15
        out 0xa1, al
        sti
        pop di
        ret

unhookIrqs:
        push di
        cli
        mov al, [savedMasks]
        out 0x21, al
        mov al, [savedMasks + 1]
        out 0xa1, al
        mov si, irqTable
        mov di, savedVectors
        mov cx, irqCount
.next:  push cx
        push ds
        mov al, [si + 1]
        mov ah, 0x25
        mov dx, [di]
        mov ds, [di + 2]
        int 0x21
        pop ds
        add si, 4
        add di, 4
        pop cx
        loop .next
        sti
        pop di
        ret

; Waits up to four timer ticks for an interrupt; AL = its IRQ or 0.
awaitIrq:
        sti
        push ds
        xor ax, ax
        mov ds, ax
        mov bx, [0x46c]
        pop ds
.wait:  mov al, [fired]
        test al, al
        jnz .end
        push ds
        xor ax, ax
        mov ds, ax
        mov ax, [0x46c]
        pop ds
        sub ax, bx
        cmp ax, 4
        jb .wait
        xor al, al
.end:   ret

findIrq:
        mov byte [fired], 0
        mov al, 0xf2
        call dspWrite
        call awaitIrq
        mov [irq], al
        test al, al
        jz .none
        mov si, irqText
        call put
        mov al, [irq]
        call putDec
        jmp newline
.none:  mov si, noIrq
        jmp putLine

; --- DMA ----------------------------------------------------------------------
; The sample buffer's physical address in DX:AX.
bufferAddress:
        mov ax, ds
        mov dx, ax
        shl ax, 4
        shr dx, 12
        add ax, samples
        adc dx, 0
        ret

; The channels a card may use, each with its controller's mask, mode and
; flip-flop ports, its own address, count and page ports, the count of its
; 16-byte transfer (in words on the 16-bit controller) and the DSP commands
; that start a single-cycle transfer on it: 8-bit at 11 kHz, or 16-bit
; signed mono at 11025 Hz.
%macro channel 8
        db %1, %2, %3, %4, %5, %6, %7, %8
%endmacro
dma8Table:
        channel 0, 0x0a, 0x0b, 0x0c, 0x00, 0x01, 0x87, 15
        channel 1, 0x0a, 0x0b, 0x0c, 0x02, 0x03, 0x83, 15
        channel 3, 0x0a, 0x0b, 0x0c, 0x06, 0x07, 0x82, 15
        db 0xff
dsp8    db 5, 0x40, 165, 0x14, 15, 0
dma16Table:
        channel 5, 0xd4, 0xd6, 0xd8, 0xc4, 0xc6, 0x8b, 7
        channel 6, 0xd4, 0xd6, 0xd8, 0xc8, 0xca, 0x89, 7
        channel 7, 0xd4, 0xd6, 0xd8, 0xcc, 0xce, 0x8a, 7
        db 0xff
dsp16   db 7, 0x41, 0x2b, 0x11, 0xb0, 0x10, 7, 0

; Writes AL to the port whose number is at [SI + BX].
outAt:  push dx
        xor dh, dh
        mov dl, [si + bx]
        out dx, al
        pop dx
        ret

; Tries the channels of the table at SI with the DSP commands at BP (their
; count first), and reports the first whose transfer ends in the interrupt,
; after the text at AX ("DMA8 ", "DMA16 ").
findDma:
        mov [dmaText], ax
.next:  cmp byte [si], 0xff
        je .none
        call resetDsp
        mov al, [si]
        and al, 3
        or al, 4
        mov bx, 1
        call outAt              ; mask
        mov bx, 3
        call outAt              ; flip-flop
        and al, 3
        or al, 0x48             ; single, memory to device
        mov bx, 2
        call outAt
        call bufferAddress
        cmp byte [si], 4
        jb .bytes
        shr dx, 1               ; the 16-bit controller counts words
        rcr ax, 1
        shl dx, 1
.bytes: mov bx, 4
        call outAt
        mov al, ah
        call outAt
        mov al, [si + 7]
        mov bx, 5
        call outAt
        xor al, al
        call outAt
        mov al, dl
        mov bx, 6
        call outAt
        mov al, [si]
        and al, 3
        mov bx, 1
        call outAt              ; unmask
        mov byte [fired], 0
        push si
        mov si, bp
        lodsb
        mov cl, al
        xor ch, ch
.send:  lodsb
        push cx
        call dspWrite
        pop cx
        loop .send
        pop si
        call awaitIrq
        push ax
        mov al, [si]
        and al, 3
        or al, 4
        mov bx, 1
        call outAt
        pop ax
        test al, al
        jnz .found
        add si, 8
        jmp .next
.none:  push si
        mov si, [dmaText]
        call put
        pop si
        mov si, noChannel
        jmp putLine
.found: push si
        mov si, [dmaText]
        call put
        pop si
        mov al, [si]
        call putDec
        jmp newline

findDma8:
        mov si, dma8Table
        mov bp, dsp8
        mov ax, dma8Text
        jmp findDma

findDma16:
        mov si, dma16Table
        mov bp, dsp16
        mov ax, dma16Text
        jmp findDma

; --- data -----------------------------------------------------------------------
ports       dw 0x210, 0x220, 0x230, 0x240, 0x250, 0x260, 0x270, 0x280, 0x2a0, 0x2c0, 0x2e0, 0x300, 0
reportName  db "SBPROBE.TXT", 0
blasterName db "BLASTER="
noBlaster   db "BLASTER none", 0
noDsp       db "DSP none", 0
dspText     db "DSP ", 0
irqText     db "IRQ ", 0
noIrq       db "IRQ none", 0
dma8Text    db "DMA8 ", 0
dma16Text   db "DMA16 ", 0
noChannel   db "none", 0
dmaText     dw 0
base        dw 0
irq         db 0
fired       db 0
savedMasks  db 0, 0
            align 16
samples     times 16 db 0x80
savedVectors equ samples + 16
report      equ savedVectors + 4 * irqCount
