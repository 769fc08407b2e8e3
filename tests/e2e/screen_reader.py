"""What a screen reader finds in one of the launcher's windows, read through
AT-SPI: screen_reader.py PID CAPTION checks the window against its row of
WINDOWS below; --dump prints what it finds instead.

A control's name is what AT-SPI says of it: its own name, or, for a combo
box, whose own name is its current item, the label that labels it. Every
focusable control must have one that is more than its value, a combo box
must still tell its item, and every titled frame must be a named group, not
a frame (read as a window)."""

import sys
import time

import pyatspi

# Focusable controls and groups in the order of the window's children: role
# and name, one a line.
WINDOWS = {
    "Video Mode": """
        panel: Resolution
        radio button: 320x200
        radio button: 640x480
        radio button: 800x600
        push button: Ok
    """,
    "Audio Configuration": """
        panel: Sound Effects
        combo box: Sound FX Card
        combo box: Input/Output Range:
        combo box: Interrupt Request:
        combo box: Direct Memory Access, 8 Bit
        combo box: Direct Memory Access, 16 Bit
        combo box: Number of Voices
        combo box: Mixing Bits
        combo box: Channels
        combo box: Mixing Rate
        check box: Disable CD Audio
        push button: Ok
        push button: Help
    """,
    "File Viewer": """
        text: Help text
        push button: Ok
    """,
    "Misc. Configuration": """
        panel: Control Methods
        radio button: Keyboard Only
        radio button: Keyboard and Mouse
        radio button: Keyboard and Joystick
        panel: Modem Setup
        combo box: COM Port:
        text: Init String:
        check box: Advance Settings
        text: IRQ Number:
        text: UART Address:
        push button: Click here to Auto-detect your Modem
        push button: Ok
    """,
    "Select Modem": """
        list: Please select your modem from the list below.
        push button: OK
        push button: Cancel
    """,
    "Keyboard Configuration": """
        tree: Choose a key definition to modify
        push button: Ok
    """,
    "Pick Key": """
        list: Select the key that will perform the following action... Move Forward
        push button: Ok
        push button: Cancel
    """,
    "Mouse Configuration": """
        panel: Single Clicked Mouse Buttons
        combo box: Left Button, single click
        combo box: Middle Button, single click
        combo box: Right Button, single click
        panel: Double Clicked Mouse Buttons
        combo box: Left Button, double click
        combo box: Middle Button, double click
        combo box: Right Button, double click
        panel: Mouse Sensitivity
        slider: Mouse Sensitivity
        panel: Mouse Aiming Mode
        check box: Mouse Aiming is a toggle button
        check box: Mouse Aiming is a momentary button
        check box: Invert Mouse Aiming up and down
        push button: Ok
    """,
    "Joystick Configuration": """
        panel: Single Clicked Buttons
        combo box: Button 1, single click
        combo box: Button 2, single click
        combo box: Button 3, single click
        combo box: Button 4, single click
        panel: Double Clicked Buttons
        combo box: Button 1, double click
        combo box: Button 2, double click
        combo box: Button 3, double click
        combo box: Button 4, double click
        panel: Joystick Port
        radio button: Port 1
        radio button: Port 2
        push button: Ok
    """,
    "IPX Network Game": """
        text: Name:
        text: Network Socket
        combo box: Number of Players
        push button: Start
        push button: Abort
    """,
    "Host or Join": """
        radio button: Host the game on this computer (UDP port 21300)
        radio button: Join the game hosted at:
        text: Join the game hosted at
        panel: When you host, friends join at
        push button: Copy
        push button: OK
        push button: Cancel
    """,
    "Wait For Call": """
        panel: The other player calls
        push button: Copy
        push button: Start
        push button: Cancel
    """,
    "Modem Game": """
        text: Name
        text: Phone Number to Call:
        panel: Dialing type
        radio button: Pulse Dialing
        radio button: Tone Dialing
        push button: Call Opponent
        push button: Wait For Call
        push button: Abort
    """,
}

# Roles whose children are the control's own parts (items, cells), not
# controls of the window.
WHOLE = {"combo box", "list", "tree", "table", "text", "slider", "push button", "check box", "radio button"}


def labels(acc):
    names = []
    for relation in acc.getRelationSet():
        if relation.getRelationType() == pyatspi.RELATION_LABELLED_BY:
            names += [relation.getTarget(i).name.strip() for i in range(relation.getNTargets())]
    return " ".join(names)


def value(acc):
    """What the control holds, which alone does not say what it is."""
    role = acc.getRoleName()
    if role == "combo box":
        return acc.name
    if role == "text":
        text = acc.queryText()
        return text.getText(0, text.characterCount)
    return None


def read_window(window):
    """(role, name) of the groups and focusable controls, and the faults found."""
    found, faults = [], []

    def walk(acc):
        for child in acc:
            # A control the form keeps hidden is not heard.
            if child is None or not child.getState().contains(pyatspi.STATE_VISIBLE):
                continue
            role = child.getRoleName()
            if role == "frame":
                faults.append(f"a frame (read as a window) named {child.name!r}")
            if role == "panel":
                found.append((role, child.name.strip()))
            elif child.getState().contains(pyatspi.STATE_FOCUSABLE):
                if role == "combo box":
                    # Its own name is its item, which a screen reader that
                    # finds its label speaks only from the description.
                    if child.description != child.name:
                        faults.append(f"combo box {labels(child)!r} holding {child.name!r} tells {child.description!r}")
                    name = labels(child)
                else:
                    name = child.name.strip() or labels(child)
                if not name or name == value(child):
                    faults.append(f"{role} holding {value(child)!r} has no name but its value")
                found.append((role, name))
            if role not in WHOLE:
                walk(child)

    walk(window)
    return found, faults


def find_window(pid, caption):
    for app in pyatspi.Registry.getDesktop(0):
        if app is None or app.get_process_id() != pid:
            continue
        for window in app:
            if window is not None and window.name == caption and window.getState().contains(pyatspi.STATE_SHOWING):
                return window
    return None


def expected(caption):
    return [tuple(line.strip().split(": ", 1)) for line in WINDOWS[caption].strip().splitlines()]


def main():
    dump = "--dump" in sys.argv
    pid, caption = int(sys.argv[-2]), sys.argv[-1]
    want = None if dump else expected(caption)
    # The tree fills in as the window comes up: read again until it settles
    # on what is expected, for a few seconds.
    found, faults, problem = None, None, "the window is not on the accessibility bus"
    deadline = time.monotonic() + 8
    while time.monotonic() < deadline:
        try:
            window = find_window(pid, caption)
            if window is not None:
                found, faults = read_window(window)
                if dump or (found == want and not faults):
                    break
        except Exception as error:  # the tree changed under the read
            problem = f"reading failed: {error}"
        time.sleep(0.3)
    if found is None:
        sys.exit(f"{caption}: {problem}")
    if dump:
        for role, name in found:
            print(f"        {role}: {name}")
        for fault in faults:
            print(f"FAULT {fault}")
        return
    report = [f"{caption}: {fault}" for fault in faults]
    if found != want:
        report.append(f"{caption}: heard\n    " + "\n    ".join(f"{r}: {n}" for r, n in found))
    if report:
        sys.exit("\n".join(report))


if __name__ == "__main__":
    main()
