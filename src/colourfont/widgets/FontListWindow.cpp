#include "colourfont/widgets/FontListWindow.h"

#include "base/widgets/Prompts.h"
#include "colourfont/FontList.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QFontDatabase>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace ink {

namespace {

QPointer<FontListWindow>& openWindow()
{
    static QPointer<FontListWindow> window;
    return window;
}

QPointer<QWidget>& registeredMainWindow()
{
    static QPointer<QWidget> window;
    return window;
}

QPushButton* makeButton(const QString& caption, const QString& name, QWidget* parent)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    return button;
}

}

FontListNotifier& FontListNotifier::instance()
{
    static FontListNotifier notifier;
    return notifier;
}

FontListWindow::FontListWindow(QWidget* owner)
    : QWidget(owner, owner ? Qt::Tool : Qt::Window)
    , combo1_(new QComboBox(this))
    , text1_(new QPlainTextEdit)
    , command1_(makeButton(QStringLiteral("OK"), QStringLiteral("Command1"), this))
    , command2_(makeButton(QStringLiteral("Cancel"), QStringLiteral("Command2"), this))
{
    setObjectName(QStringLiteral("frmFontList"));
    setWindowTitle(QStringLiteral("Font List"));
    setAttribute(Qt::WA_DeleteOnClose);
    combo1_->setObjectName(QStringLiteral("Combo1"));
    text1_->setObjectName(QStringLiteral("Text1"));
    text1_->setLineWrapMode(QPlainTextEdit::NoWrap);

    auto* frame = new QGroupBox(QStringLiteral("Font List"));
    auto* frameLayout = new QVBoxLayout(frame);
    frameLayout->addWidget(text1_);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(command1_);
    buttons->addWidget(command2_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(combo1_);
    layout->addWidget(frame, 1);
    layout->addLayout(buttons);

    combo1_->addItems(pageFontNames(QFontDatabase::families()));
    text1_->setPlainText(readFontListText(fontListPath()));
    text1_->moveCursor(QTextCursor::End);

    connect(combo1_, &QComboBox::activated, this, &FontListWindow::insertFont);
    connect(command1_, &QPushButton::clicked, this, &FontListWindow::accept);
    connect(command2_, &QPushButton::clicked, this, &QWidget::close);

    resize(320, 400);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->geometry();
        move(area.x() + area.width() / 4, area.y() + area.height() / 4);
    }
    enableMainWindow();
}

FontListWindow* FontListWindow::showSingle(QWidget* owner)
{
    QPointer<FontListWindow>& window = openWindow();
    if (!window) {
        QWidget* mainWindow = registeredMainWindow();
        window = new FontListWindow(mainWindow ? mainWindow : owner);
    }
    window->show();
    window->raise();
    window->activateWindow();
    return window;
}

void FontListWindow::setMainWindow(QWidget* mainWindow)
{
    registeredMainWindow() = mainWindow;
}

void FontListWindow::accept()
{
    QString error;
    if (!writeFontList(fontListPath(), text1_->toPlainText(), &error)) {
        Prompts::current().warning(this, windowTitle(), error);
        return;
    }
    emit fontListSaved();
    emit FontListNotifier::instance().fontListSaved();
    close();
}

void FontListWindow::closeEvent(QCloseEvent* event)
{
    enableMainWindow();
    QWidget::closeEvent(event);
}

void FontListWindow::insertFont(int index)
{
    text1_->insertPlainText(combo1_->itemText(index));
    text1_->setFocus();
}

void FontListWindow::enableMainWindow()
{
    if (QWidget* mainWindow = registeredMainWindow())
        mainWindow->setEnabled(true);
}

}
