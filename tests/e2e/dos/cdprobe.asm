; What MSCDEX offers a DOS program that plays CD audio, written to CDPROBE.TXT
; a finding a line: its drives (INT 2Fh 1500h, 150Bh), the table of contents
; (IOCTL input through 1510h: audio disk info, audio track info), the status
; of PLAY AUDIO on the first audio track, and the Q channel's disc position
; twice, a second apart. Times are mm:ss:ff.
        cpu 286
        org 0x100

start:  mov di, report
        mov ax, 0x1500
        xor bx, bx
        int 0x2f
        mov [drive], cx
        call say
        db "DRIVES", 0
        mov al, bl
        call putDec
        call putDrive
        test bx, bx
        jz done
        mov ax, 0x150b                  ; one of MSCDEX's drives?
        mov cx, [drive]
        int 0x2f
        cmp bx, 0xadad
        jne done
        test ax, ax
        jz done
        call say
        db "CDROM", 0
        call putDrive
        mov word [block], 0x0a          ; audio disk info
        call ioctl
        call say
        db "DISK", 0
        mov ax, [block + 1]
        mov [track], ax                 ; the first track, then the last
        call putDec
        mov al, [track + 1]
        call putDec
        mov si, block + 3
        call putRedBook
        call newline
.track: mov ah, [track]
        cmp ah, [track + 1]
        ja .play
        mov al, 0x0b                    ; audio track info
        mov [block], ax
        call ioctl
        call say
        db "TRACK", 0
        mov al, [track]
        call putDec
        mov si, block + 2
        call putRedBook
        test byte [block + 6], 0x40
        jz .audio
        call say
        db " DATA", 0
        jmp .next
.audio: call say
        db " AUDIO", 0
        mov ax, [playFrom]
        or ax, [playFrom + 2]
        jnz .next
        mov ax, [block + 2]
        mov [playFrom], ax
        mov ax, [block + 4]
        mov [playFrom + 2], ax
.next:  call newline
        inc byte [track]
        jmp .track
.play:  mov ax, [playFrom]
        or ax, [playFrom + 2]
        jz done
        mov word [request], 22          ; PLAY AUDIO for 20 s, Red Book addressing
        mov word [request + 2], 0x84
        mov byte [request + 4], 0
        mov byte [request + 13], 1
        mov ax, [playFrom]
        mov [request + 14], ax
        mov ax, [playFrom + 2]
        mov [request + 16], ax
        mov word [request + 18], 75 * 20
        call driver
        call say
        db "PLAY", 0
        mov ax, [request + 3]
        call putHex
        call position
        push es
        push word 0
        pop es
        mov bx, [es:0x46c]
.wait:  sti                             ; 19 ticks of the BIOS clock
        hlt
        mov ax, [es:0x46c]
        sub ax, bx
        cmp ax, 19
        jb .wait
        pop es
        call position
done:   mov ah, 0x3c
        xor cx, cx
        mov dx, fileName
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
.end:   mov ax, 0x4c00
        int 0x21

; The Q channel's position on the disc (0Ch): minute, second, frame.
position:
        mov word [block], 0x0c
        call ioctl
        call say
        db "Q", 0
        mov ax, [block + 8]
        mov dl, [block + 10]
        call putTime
        jmp newline

; IOCTL input of the control block.
ioctl:  mov word [request], 26
        mov word [request + 2], 3
        mov byte [request + 4], 0
        mov word [request + 14], block
        mov [request + 16], ds
        mov word [request + 18], 11
driver: push di
        mov bx, request
        mov cx, [drive]
        mov ax, 0x1510
        int 0x2f
        pop di
        ret

; Appends the zero-terminated text after the call.
say:    pop si
.next:  lodsb
        test al, al
        jz .end
        stosb
        jmp .next
.end:   jmp si

putDrive:
        mov al, ' '
        stosb
        mov al, [drive]
        add al, 'A'
        stosb
        jmp newline

; Appends the Red Book address at SI (frame, second, minute) as a time.
putRedBook:
        mov al, [si + 2]
        mov ah, [si + 1]
        mov dl, [si]
; Appends minute AL, second AH and frame DL as " mm:ss:ff".
putTime:
        mov dh, ah
        mov byte [di], ' '
        inc di
        call putDec2
        mov al, ':'
        stosb
        mov al, dh
        call putDec2
        mov al, ':'
        stosb
        mov al, dl
; Appends AL (0 to 99) as two digits.
putDec2:
        aam
        xchg al, ah
        add ax, '00'
        stosw
        ret

; Appends AL (0 to 99) after a blank, without a leading zero.
putDec: mov byte [di], ' '
        inc di
        cmp al, 10
        jae putDec2
        add al, '0'
        stosb
        ret

; Appends AX as " hhhh" and a line end.
putHex: mov byte [di], ' '
        inc di
        mov cx, 4
.next:  rol ax, 4
        push ax
        and al, 0x0f
        add al, 0x90                    ; a hexadecimal digit
        daa
        adc al, 0x40
        daa
        stosb
        pop ax
        loop .next
newline:
        mov ax, 0x0a0d
        stosw
        ret

fileName:   db "CDPROBE.TXT", 0
drive:      dw 0
track:      dw 0
playFrom:   dd 0
request:    times 26 db 0
block:      times 16 db 0
report:
