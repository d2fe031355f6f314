#include "dialogs/widgets/LinkDialogs.h"

#include "dialogs/InsertMarkup.h"
#include "document/DocumentRoutines.h"
#include "platform/DesignSurface.h"

#include <QBoxLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>

namespace ink {

namespace {

QLineEdit* lineEdit(const char* name, QWidget* parent)
{
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QString::fromLatin1(name));
    return edit;
}

} // namespace

HyperlinkDialog::HyperlinkDialog(const InsertDialogHost& host)
    : InsertDialog(host, tr("Hyperlink")), text_(lineEdit("Text1", this)),
      address_(new FileListCombo(QStringLiteral("Text2"), host.folderFiles(), this)),
      tip_(lineEdit("Text3", this)), bookmark_(lineEdit("Text4", this)), target_(new QComboBox(this))
{
    setObjectName(QStringLiteral("frmLink"));
    target_->setObjectName(QStringLiteral("Text5"));
    target_->setEditable(true);
    target_->addItems({QStringLiteral("_self"), QStringLiteral("_top"), QStringLiteral("_blank"),
                       QStringLiteral("_parent")});
    target_->setCurrentIndex(-1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(framed(tr("Displayed Text"), text_));
    layout->addWidget(framed(tr("Address/Path"), address_));
    layout->addWidget(framed(tr("Screen Tip"), tip_));
    layout->addWidget(framed(tr("Bookmark"), bookmark_));
    layout->addWidget(framed(tr("Target Frame"), target_));
    addButtons(layout, "Command1", "Command2");
    text_->setText(initialText([](DesignSurface* design) {
        return design->selectionType() == QLatin1String("Text") ? design->selectionHtmlText() : QString();
    }));
    resize(460, sizeHint().height());
}

void HyperlinkDialog::showEvent(QShowEvent* event)
{
    InsertDialog::showEvent(event);
    text_->setFocus();
}

void HyperlinkDialog::accept()
{
    const HyperlinkFields link{text_->text(), address_->currentText(), tip_->text(), bookmark_->text(),
                               target_->currentText()};
    const EditTarget target = host_.target();
    if (target.designView) {
        pasteAtDesignSelection(target, hyperlinkMarkup(link));
        if (target.design)
            target.design->applyKeys(KeySequence(hyperlinkShownText(link).size(), Key::ShiftLeft));
    } else {
        applyCodeEdit(target, hyperlinkCodeEdit(link));
    }
    InsertDialog::accept();
}

BookmarkDialog::BookmarkDialog(const InsertDialogHost& host)
    : InsertDialog(host, tr("Bookmark")), text_(lineEdit("Text1", this)), anchor_(lineEdit("Text2", this))
{
    setObjectName(QStringLiteral("frmBookMark"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(framed(tr("Bookmark Text"), text_));
    layout->addWidget(framed(tr("Bookmark Anchor"), anchor_));
    addButtons(layout, "Command1", "Command2");
    text_->setText(initialText([](DesignSurface* design) {
        return stripBlockWrapper(design->selectionHtmlText());
    }));
    resize(380, sizeHint().height());
}

void BookmarkDialog::accept()
{
    const BookmarkFields bookmark{text_->text(), anchor_->text()};
    const EditTarget target = host_.target();
    if (target.designView) {
        pasteAtDesignSelection(target, bookmarkMarkup(bookmark));
        focusDocument(target);
        if (target.design)
            target.design->applyKeys(KeySequence(bookmark.text.size(), Key::ShiftLeft));
    } else {
        applyCodeEdit(target, bookmarkCodeEdit(bookmark));
    }
    InsertDialog::accept();
}

}
