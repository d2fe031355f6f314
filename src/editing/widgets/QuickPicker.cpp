#include "editing/widgets/QuickPicker.h"

#include "base/widgets/Prompts.h"
#include "document/DocumentRoutines.h"
#include "editing/QuickPickerMarkup.h"
#include "platform/CodeEditor.h"
#include "platform/DesignSurface.h"

namespace ink {

QuickPicker::QuickPicker(Kind kind, Host host, QWidget* parent)
    : QComboBox(parent), kind_(kind), host_(std::move(host))
{
    const QString name = kind == Kind::Link ? QStringLiteral("Quick Link") : QStringLiteral("Quick Image");
    setObjectName(kind == Kind::Link ? QStringLiteral("Combo2") : QStringLiteral("Combo3"));
    setAccessibleName(name);
    setToolTip(name);
    setMinimumWidth(130);
    setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    setMinimumContentsLength(14);
    // The user's pick only; the list rebuild sets items without a choice.
    connect(this, &QComboBox::textActivated, this, &QuickPicker::choose);
}

void QuickPicker::showPopup()
{
    rebuildList();
    QComboBox::showPopup();
}

void QuickPicker::rebuildList()
{
    clear();
    addItem(QString::fromLatin1(EditInnerStringEntry));
    addItem(QString::fromLatin1(PickerLineEntry));
    if (host_.files)
        addItems(host_.files());
    setCurrentIndex(-1);
}

void QuickPicker::choose(const QString& entry)
{
    // The picker shows no choice afterwards, so the same file can be picked again.
    setCurrentIndex(-1);
    if (entry == QLatin1String(EditInnerStringEntry)) {
        editInnerString();
        return;
    }
    if (entry == QLatin1String(PickerLineEntry) || entry.isEmpty())
        return;
    const EditTarget target = host_.target ? host_.target() : EditTarget();
    if (kind_ == Kind::Link)
        insertLink(entry, target);
    else
        insertImage(entry, target);
}

void QuickPicker::editInnerString()
{
    const QString title = QString::fromLatin1(EditInnerStringEntry);
    const std::optional<QString> answer =
        Prompts::current().askText(window(), title, title, QString());
    inner_ = innerStringFromAnswer(answer.value_or(QString()));
}

void QuickPicker::insertLink(const QString& file, const EditTarget& target)
{
    const QString opening = quickLinkOpening(file, inner_);
    const QString closing = QStringLiteral("</A>");
    if (target.designView) {
        if (!target.design)
            return;
        // What was selected moves into the link, keeping its own markup,
        // and stays selected there. With nothing selected the file name
        // becomes the link text: the page drops an empty link, and the user
        // would see nothing happen.
        if (target.design->wrapSelection(opening, closing, true)) {
            focusDocument(target);
            return;
        }
        QString html = stripBlockWrapper(selectedDesignHtml(target));
        if (html.isEmpty())
            html = quickLinkText(file);
        target.design->pasteHtmlSelectingInner(opening, html, closing);
        focusDocument(target);
        return;
    }
    if (!target.code)
        return;
    QString text = target.code->selectedText();
    if (text.isEmpty())
        text = quickLinkText(file);
    applyCodeEdit(target, wrapCodeSelection(text, opening, closing));
}

void QuickPicker::insertImage(const QString& file, const EditTarget& target)
{
    const QString element = quickImageElement(file, inner_);
    if (target.designView) {
        focusDocument(target);
        pasteAtDesignSelection(target, element);
        focusDocument(target);
    } else {
        replaceCodeSelection(target, element);
    }
}

}
