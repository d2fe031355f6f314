#include "platform/widgets/ScriptDialogPage.h"

#include <QCheckBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QVBoxLayout>
#include <QWebEngineView>

namespace ink {

namespace {

QString pageName(const QUrl& url)
{
    if (url.isLocalFile())
        return url.fileName();
    return url.host().isEmpty() ? url.toDisplayString() : url.host();
}

}

ScriptDialogPage::ScriptDialogPage(QObject* parent)
    : QWebEnginePage(parent)
{
    // A page that goes to another page starts counting again; one that
    // reloads itself does not, or it could ask again on every load.
    connect(this, &QWebEnginePage::urlChanged, this, [this](const QUrl& url) {
        const QUrl page = url.adjusted(QUrl::RemoveFragment);
        if (page != countedUrl_) {
            countedUrl_ = page;
            gate_.newLoad();
        }
    });
}

QString ScriptDialogPage::stopCaption()
{
    return QStringLiteral("Stop this page from showing more dialogs");
}

void ScriptDialogPage::javaScriptAlert(const QUrl&, const QString& message)
{
    ask(Kind::Alert, message, QString(), nullptr);
}

bool ScriptDialogPage::javaScriptConfirm(const QUrl&, const QString& message)
{
    return ask(Kind::Confirm, message, QString(), nullptr);
}

bool ScriptDialogPage::javaScriptPrompt(const QUrl&, const QString& message, const QString& value,
                                        QString* result)
{
    return ask(Kind::Prompt, message, value, result);
}

// The box is modal to the view's window only: other windows of the program
// stay usable. A stopped page gets the answer of a box closed with Cancel.
bool ScriptDialogPage::ask(Kind kind, const QString& message, const QString& value,
                           QString* result)
{
    if (!gate_.allows())
        return false;
    QWebEngineView* view = QWebEngineView::forPage(this);
    QPointer<QDialog> box(new QDialog(view ? view->window() : nullptr));
    box->setAttribute(Qt::WA_DeleteOnClose, false);
    box->setWindowModality(Qt::WindowModal);
    box->setWindowTitle(QStringLiteral("Page %1").arg(pageName(url())));
    box->setAccessibleName(QStringLiteral("Page dialog"));
    auto* layout = new QVBoxLayout(box);
    auto* text = new QLabel(message, box);
    text->setTextFormat(Qt::PlainText);
    text->setWordWrap(true);
    text->setTextInteractionFlags(Qt::TextSelectableByMouse);
    text->setAccessibleName(QStringLiteral("Message"));
    layout->addWidget(text);
    QLineEdit* answer = nullptr;
    if (kind == Kind::Prompt) {
        answer = new QLineEdit(value, box);
        answer->setAccessibleName(QStringLiteral("Answer"));
        layout->addWidget(answer);
    }
    QCheckBox* stop = nullptr;
    if (gate_.offersStop()) {
        stop = new QCheckBox(stopCaption(), box);
        stop->setAccessibleName(stopCaption());
        layout->addWidget(stop);
    }
    auto* buttons = new QDialogButtonBox(kind == Kind::Alert
                                             ? QDialogButtonBox::Ok
                                             : QDialogButtonBox::Ok | QDialogButtonBox::Cancel,
                                         box);
    connect(buttons, &QDialogButtonBox::accepted, box, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, box, &QDialog::reject);
    layout->addWidget(buttons);
    box->setMinimumWidth(360);

    const bool accepted = box->exec() == QDialog::Accepted;
    if (!box)
        return false;
    gate_.shown(stop && stop->isChecked());
    if (accepted && answer && result)
        *result = answer->text();
    delete box;
    return accepted;
}

}
