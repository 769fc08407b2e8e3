#pragma once
// What a screen reader hears of the launcher's forms. A control is named by
// the label beside it (the label's buddy) or, where no label says enough, by
// an accessible name of its own in the form. Two things Qt does not do by
// itself are done here:
// - A titled frame (a sunken frame with a label laid over its top edge) is
//   reported as a group under the accessible name the form gives it, and a
//   plain rule as a separator; Qt reports both as frames, which Linux screen
//   readers take for unnamed windows.
// - Under AT-SPI, Qt names a combo box by its current item, so that what the
//   list is for comes only from the label that labels it. Where the list has
//   a name of its own that says more than the label's text ("Left Button"
//   twice, for a single and a double click), the label carries that name.
// - A screen reader that finds a label for a combo box speaks the label in
//   place of the name, and Qt's combo box offers its current item nowhere
//   else: Orca says "Sound FX Card combo box" and no card. The item goes into
//   the box's description, which Orca speaks after the role.

class QWidget;

namespace accessibility {
// Reports titled frames as groups and rules as separators from now on; once
// is enough, more often does no harm. Call before the first form is built.
void install();

// Gives each label of the form whose buddy has an accessible name of its own
// that name, unless the label has one already.
void nameLabelsAfterControls(QWidget* form);

// Keeps the description of each combo box of the form in step with its
// current item, whoever sets it, where Qt gives the item no other way out.
void tellComboBoxItems(QWidget* form);
}  // namespace accessibility
