; Switches to the game's 320 x 200 mode (13h), paints the picture blue and
; waits for a key, so DOSBox's window can be measured while it shows the mode.
        org 0x100
        mov ax, 0x13
        int 0x10
        mov ax, 0xa000
        mov es, ax
        xor di, di
        mov cx, 320 * 200
        mov al, 1               ; blue in the default palette
        rep stosb
        xor ax, ax              ; wait for a key
        int 0x16
        ret
