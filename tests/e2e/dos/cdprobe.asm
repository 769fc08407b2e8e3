; Reports what MSCDEX offers a DOS program that plays CD audio: its drives
; (INT 2Fh AX=1500h, 150Bh), the table of contents read through IOCTL input
; (AX=1510h: audio disk info 0Ah, audio track info 0Bh), the status of PLAY
; AUDIO on the first audio track, and the Q channel's disc position twice, a
; second apart. The report goes to CDPROBE.TXT, one finding a line:
;   DRIVES 1 D / CDROM D / DISK 1 3 00:14:40 / TRACK 1 00:02:00 DATA /
;   TRACK 2 00:04:09 AUDIO / ... / PLAY 0100 / Q 00:04:12 / Q 00:05:12
        cpu 286
        org 0x100

start:  mov di, report
        mov ax, 0x1500
        xor bx, bx
        int 0x2f
        mov [drive], cx
        mov si, sDrives
        call put
        mov al, bl
        call putDec
        mov al, ' '
        stosb
        mov al, [drive]
        add al, 'A'
        stosb
        call newline
        test bx, bx
        jz .done
        ; 150Bh: whether the drive is one of MSCDEX's.
        mov ax, 0x150b
        mov cx, [drive]
        int 0x2f
        cmp bx, 0xadad
        jne .done
        test ax, ax
        jz .done
        mov si, sCdrom
        call put
        mov al, [drive]
        add al, 'A'
        stosb
        call newline
        call tableOfContents
        cmp byte [firstAudio], 0
        je .done
        call play
        call position
        call waitSecond
        call position
.done:  call writeReport
        mov ax, 0x4c00
        int 0x21

; --- MSCDEX ------------------------------------------------------------------
; IOCTL input of the control block at SI, CX bytes long.
ioctl:  mov byte [request], 26
        mov byte [request + 2], 3
        mov word [request + 3], 0
        mov [request + 14], si
        mov [request + 16], ds
        mov [request + 18], cx
        jmp driver

; Sends the request block to the drive.
driver: push es
        push ds
        pop es
        mov bx, request
        mov cx, [drive]
        mov ax, 0x1510
        int 0x2f
        pop es
        ret

tableOfContents:
        mov byte [block], 0x0a
        mov si, block
        mov cx, 7
        call ioctl
        mov si, sDisk
        call put
        mov al, [block + 1]
        mov [track], al
        call putDec
        mov al, ' '
        stosb
        mov al, [block + 2]
        mov [lastTrack], al
        call putDec
        mov al, ' '
        stosb
        mov si, block + 3
        call putRedBook
        call newline
.next:  mov al, [track]
        cmp al, [lastTrack]
        ja .end
        mov byte [block], 0x0b
        mov [block + 1], al
        mov si, block
        mov cx, 7
        call ioctl
        mov si, sTrack
        call put
        mov al, [track]
        call putDec
        mov al, ' '
        stosb
        mov si, block + 2
        call putRedBook
        mov si, sData
        test byte [block + 6], 0x40
        jnz .kind
        mov si, sAudio
        cmp byte [firstAudio], 0
        jne .kind
        mov al, [track]
        mov [firstAudio], al
        mov ax, [block + 2]
        mov [playFrom], ax
        mov ax, [block + 4]
        mov [playFrom + 2], ax
.kind:  call putLine
        inc byte [track]
        jmp .next
.end:   ret

; PLAY AUDIO (84h) from the first audio track's start for 20 seconds, in
; Red Book addressing.
play:   mov byte [request], 22
        mov byte [request + 2], 0x84
        mov word [request + 3], 0
        mov byte [request + 13], 1
        mov ax, [playFrom]
        mov [request + 14], ax
        mov ax, [playFrom + 2]
        mov [request + 16], ax
        mov word [request + 18], 75 * 20
        mov word [request + 20], 0
        call driver
        mov si, sPlay
        call put
        mov ax, [request + 3]
        call putHex
        jmp newline

; The Q channel's position on the disc (0Ch).
position:
        mov byte [block], 0x0c
        mov si, block
        mov cx, 11
        call ioctl
        mov si, sQ
        call put
        mov al, [block + 8]
        call putDec2
        mov al, ':'
        stosb
        mov al, [block + 9]
        call putDec2
        mov al, ':'
        stosb
        mov al, [block + 10]
        call putDec2
        jmp newline

; Waits 19 ticks of the BIOS clock, a little over a second.
waitSecond:
        push es
        mov ax, 0x40
        mov es, ax
        mov bx, [es:0x6c]
.wait:  sti
        hlt
        mov ax, [es:0x6c]
        sub ax, bx
        cmp ax, 19
        jb .wait
        pop es
        ret

; --- the report ----------------------------------------------------------------
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

; Appends a Red Book address at SI (frame, second, minute) as mm:ss:ff.
putRedBook:
        mov al, [si + 2]
        call putDec2
        mov al, ':'
        stosb
        mov al, [si + 1]
        call putDec2
        mov al, ':'
        stosb
        mov al, [si]
        ; falls through
; Appends AL (0 to 99) as two decimal digits.
putDec2:
        xor ah, ah
        mov bl, 10
        div bl
        add ax, '00'
        stosw
        ret

; Appends AL (0 to 99) in decimal without a leading zero.
putDec: cmp al, 10
        jae putDec2
        add al, '0'
        stosb
        ret

; Appends AX as four hexadecimal digits.
putHex: mov cx, 4
.next:  rol ax, 4
        push ax
        and al, 0x0f
        add al, '0'
        cmp al, '9'
        jbe .store
        add al, 'A' - '9' - 1
.store: stosb
        pop ax
        loop .next
        ret

writeReport:
        mov ah, 0x3c
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
.end:   ret

fileName:   db "CDPROBE.TXT", 0
sDrives:    db "DRIVES ", 0
sCdrom:     db "CDROM ", 0
sDisk:      db "DISK ", 0
sTrack:     db "TRACK ", 0
sData:      db " DATA", 0
sAudio:     db " AUDIO", 0
sPlay:      db "PLAY ", 0
sQ:         db "Q ", 0

drive:      dw 0
track:      db 0
lastTrack:  db 0
firstAudio: db 0
playFrom:   dd 0
request:    times 26 db 0
block:      times 16 db 0
report:
