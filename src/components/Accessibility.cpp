#include "components/Accessibility.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QComboBox>
#include <QFrame>
#include <QLabel>

namespace accessibility {
namespace {
// Decides its role when asked, not when made: Qt may make the interface while
// the form is still setting the frame's properties, and keeps it.
class FrameInterface : public QAccessibleWidget {
public:
    explicit FrameInterface(QFrame* frame) : QAccessibleWidget(frame, QAccessible::Border) {}

    QAccessible::Role role() const override
    {
        const auto* frame = static_cast<const QFrame*>(widget());
        if (frame->frameShape() == QFrame::HLine || frame->frameShape() == QFrame::VLine)
            return QAccessible::Separator;
        return frame->accessibleName().isEmpty() ? QAccessible::Border : QAccessible::Grouping;
    }
};

// Asked for every class a widget derives from, most derived first; a frame's
// subclasses (labels, lists) have their own interfaces before "QFrame" comes.
QAccessibleInterface* frameFactory(const QString& className, QObject* object)
{
    if (className != QLatin1String("QFrame"))
        return nullptr;
    auto* frame = qobject_cast<QFrame*>(object);
    return frame ? new FrameInterface(frame) : nullptr;
}
}  // namespace

void install()
{
    static const bool installed = [] {
        QAccessible::installFactory(frameFactory);
        return true;
    }();
    (void)installed;
}

void nameLabelsAfterControls(QWidget* form)
{
    for (QLabel* label : form->findChildren<QLabel*>()) {
        const QWidget* control = label->buddy();
        if (control && label->accessibleName().isEmpty() && !control->accessibleName().isEmpty())
            label->setAccessibleName(control->accessibleName());
    }
}

void tellComboBoxItems(QWidget* form)
{
#ifdef Q_OS_UNIX
    // Elsewhere a combo box is named after its label and reports its item as
    // its value, which screen readers speak; a description would say it twice.
    for (QComboBox* list : form->findChildren<QComboBox*>()) {
        list->setAccessibleDescription(list->currentText());
        QObject::connect(list, &QComboBox::currentTextChanged, list, &QWidget::setAccessibleDescription);
    }
#else
    (void)form;
#endif
}
}  // namespace accessibility
