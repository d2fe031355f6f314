#include "colourfont/widgets/FontComboControl.h"

#include "colourfont/FontList.h"
#include "colourfont/widgets/FontListWindow.h"

#include <QComboBox>
#include <QEvent>
#include <QAbstractItemView>
#include <QFontDatabase>
#include <QLineEdit>
#include <QPainter>
#include <QStandardItemModel>

namespace ink {

namespace {

constexpr int kindRole = Qt::UserRole;

// The symbol beside the system's fonts: a large and a small "T".
QIcon fontSymbol()
{
    static const QIcon icon = [] {
        QPixmap pixmap(16, 16);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setPen(QPen(QColor(0, 0, 128), 2));
        painter.drawLine(1, 2, 9, 2);
        painter.drawLine(5, 2, 5, 14);
        painter.setPen(QPen(QColor(0, 0, 128), 1));
        painter.drawLine(9, 7, 15, 7);
        painter.drawLine(12, 7, 12, 14);
        return QIcon(pixmap);
    }();
    return icon;
}

}

FontComboControl::FontComboControl(QWidget* parent)
    : QWidget(parent)
    , combo_(new QComboBox(this))
{
    combo_->setObjectName(QStringLiteral("FontCombo"));
    combo_->setEditable(true);
    combo_->setInsertPolicy(QComboBox::NoInsert);
    combo_->setCompleter(nullptr);
    // The separator lines are long; they must not widen the control.
    combo_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    combo_->setMinimumContentsLength(12);
    combo_->setMaxVisibleItems(20);
    setAccessibleName(QStringLiteral("Font"));
    combo_->setAccessibleName(QStringLiteral("Font"));
    combo_->lineEdit()->setAccessibleName(QStringLiteral("Font"));
    setFocusProxy(combo_);
    setSizePolicy(combo_->sizePolicy());
    connect(combo_, &QComboBox::activated, this, &FontComboControl::onActivated);
    connect(combo_->lineEdit(), &QLineEdit::textEdited, this, &FontComboControl::change);
    // A long name shown by the program starts at its beginning; the line edit
    // would otherwise scroll to its end and cut off the first letters.
    connect(combo_, &QComboBox::editTextChanged, this, [this] {
        if (!combo_->lineEdit()->hasFocus())
            combo_->lineEdit()->setCursorPosition(0);
    });
    combo_->view()->installEventFilter(this);
    buildList();
}

QString FontComboControl::CurFont() const
{
    const int index = combo_->currentIndex();
    return index >= 0 ? combo_->itemText(index) : combo_->currentText();
}

void FontComboControl::setTheFont(const QString& name)
{
    combo_->setCurrentIndex(-1);
    combo_->setEditText(name);
    rememberShown();
}

int FontComboControl::comboitem() const
{
    return combo_->currentIndex() + 1;
}

void FontComboControl::setComboitem(int number)
{
    if (number < 1 || number > combo_->count())
        return;
    combo_->setCurrentIndex(number - 1);
    rememberShown();
}

void FontComboControl::Refreshx()
{
    buildList();
}

QSize FontComboControl::sizeHint() const
{
    return combo_->sizeHint();
}

void FontComboControl::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    combo_->setGeometry(0, 0, width(), height());
}

bool FontComboControl::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == combo_->view() && event->type() == QEvent::Show)
        emit dropdown();
    return QWidget::eventFilter(watched, event);
}

void FontComboControl::buildList()
{
    const FontComboLayout layout = fontComboLayout(readFontList(fontListPath()), pageFontNames(QFontDatabase::families()));
    combo_->clear();
    for (const FontComboItem& item : layout.items) {
        if (item.kind == FontComboItem::SystemFont)
            combo_->addItem(fontSymbol(), item.text, int(item.kind));
        else
            combo_->addItem(item.text, int(item.kind));
    }
    // Separators take their place in the numbering but cannot be picked.
    if (auto* model = qobject_cast<QStandardItemModel*>(combo_->model())) {
        for (int i = 0; i < layout.items.size(); ++i) {
            if (layout.items[i].kind == FontComboItem::Separator)
                model->item(i)->setEnabled(false);
        }
    }
    combo_->setCurrentIndex(layout.startIndex);
    rememberShown();
}

void FontComboControl::onActivated(int index)
{
    const int kind = combo_->itemData(index, kindRole).toInt();
    if (kind == FontComboItem::Favourite || kind == FontComboItem::SystemFont) {
        rememberShown();
        emit click();
        return;
    }
    restoreShown();
    if (kind == FontComboItem::EditList)
        FontListWindow::showSingle(window());
}

void FontComboControl::rememberShown()
{
    shownIndex_ = combo_->currentIndex();
    shownText_ = combo_->currentText();
}

void FontComboControl::restoreShown()
{
    combo_->setCurrentIndex(shownIndex_);
    if (shownIndex_ < 0)
        combo_->setEditText(shownText_);
}

}
