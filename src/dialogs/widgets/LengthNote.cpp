#include "dialogs/widgets/LengthNote.h"

#include "dialogs/TypedValues.h"

#include <QBoxLayout>
#include <QLineEdit>

namespace ink {

LengthNote::LengthNote(QLineEdit* field, QWidget* parent) : QLabel(parent), field_(field)
{
    setObjectName(field->objectName() + QStringLiteral("Note"));
    setStyleSheet(QStringLiteral("color: #b00020;"));
    hide();
    connect(field, &QLineEdit::textChanged, this, &LengthNote::update);
}

LengthNote* LengthNote::attach(QLineEdit* field)
{
    auto* note = new LengthNote(field, field->parentWidget());
    QWidget* row = field->parentWidget();
    auto* layout = row ? qobject_cast<QBoxLayout*>(row->layout()) : nullptr;
    const int at = layout ? layout->indexOf(field) : -1;
    if (at >= 0)
        layout->insertWidget(at + 1, note);
    note->update();
    return note;
}

bool LengthNote::fieldIsFine() const
{
    return lengthFieldMessage(field_->text()).isEmpty();
}

void LengthNote::update()
{
    const QString message = lengthFieldMessage(field_->text());
    setText(message);
    setAccessibleName(message);
    setVisible(!message.isEmpty());
}

QLineEdit* LengthNote::firstWrongField(const QWidget* dialog)
{
    for (const LengthNote* note : dialog->findChildren<LengthNote*>()) {
        if (!note->fieldIsFine())
            return note->field();
    }
    return nullptr;
}

}
