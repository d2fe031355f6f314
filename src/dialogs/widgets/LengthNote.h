#pragma once
#include <QLabel>

class QLineEdit;

namespace ink {

// The short message beside a height or width field while its text is no
// length the dialog can write (see lengthFieldMessage); hidden otherwise.
class LengthNote : public QLabel {
    Q_OBJECT
public:
    // Puts a note right after `field` in the row that holds it.
    static LengthNote* attach(QLineEdit* field);

    QLineEdit* field() const { return field_; }
    bool fieldIsFine() const;

    // The first field of `dialog` whose text is no length, or nothing when all
    // are fine; the caller refuses to insert and sends the user there.
    static QLineEdit* firstWrongField(const QWidget* dialog);

private:
    LengthNote(QLineEdit* field, QWidget* parent);
    void update();

    QLineEdit* field_;
};

}
