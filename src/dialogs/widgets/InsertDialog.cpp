#include "dialogs/widgets/InsertDialog.h"

#include "document/DocumentRoutines.h"
#include "platform/CodeEditor.h"
#include "platform/DesignSurface.h"

#include <QBoxLayout>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QSlider>
#include <QGuiApplication>
#include <QPushButton>
#include <QScreen>

namespace ink {

InsertDialog::InsertDialog(const InsertDialogHost& host, const QString& caption)
    : QDialog(host.owner), host_(host)
{
    setWindowTitle(caption);
    setAccessibleName(caption);
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowModality(Qt::WindowModal);
    if (const QScreen* screen = host.owner ? host.owner->screen() : QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        move(area.left() + area.width() / 4, area.top() + area.height() / 4);
    }
}

QGroupBox* InsertDialog::framed(const QString& caption, QWidget* field)
{
    auto* box = new QGroupBox(caption, this);
    auto* layout = new QVBoxLayout(box);
    layout->addWidget(field);
    field->setAccessibleName(caption);
    if (auto* combo = qobject_cast<QComboBox*>(field); combo && combo->lineEdit())
        combo->lineEdit()->setAccessibleName(caption);
    return box;
}

QGroupBox* InsertDialog::framedSlider(const QString& caption, QSlider* slider)
{
    QGroupBox* box = framed(caption, sliderWithValue(slider, this));
    slider->setAccessibleName(caption);
    return box;
}

void InsertDialog::addButtons(QBoxLayout* layout, const char* okName, const char* cancelName)
{
    auto* row = new QHBoxLayout;
    row->addStretch();
    ok_ = new QPushButton(tr("OK"), this);
    ok_->setObjectName(QString::fromLatin1(okName));
    ok_->setDefault(true);
    auto* cancel = new QPushButton(tr("Cancel"), this);
    cancel->setObjectName(QString::fromLatin1(cancelName));
    row->addWidget(ok_);
    row->addWidget(cancel);
    layout->addLayout(row);
    connect(ok_, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void InsertDialog::layOutBesidePreview(QBoxLayout* fields, QWidget* preview, const char* okName,
                                       const char* cancelName)
{
    auto* columns = new QHBoxLayout;
    columns->addLayout(fields);
    columns->addWidget(preview, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(columns);
    addButtons(layout, okName, cancelName);
}

void InsertDialog::insertIntoPage(const QString& markup) const
{
    const EditTarget target = host_.target();
    if (target.designView)
        pasteAtDesignSelection(target, markup);
    else
        replaceCodeSelection(target, markup);
}

QString InsertDialog::initialText(const std::function<QString(DesignSurface*)>& design) const
{
    const EditTarget target = host_.target();
    if (target.designView)
        return target.design ? design(target.design) : QString();
    return target.code ? target.code->selectedText() : QString();
}

FileListCombo::FileListCombo(const QString& objectName, std::function<QStringList()> entries, QWidget* parent)
    : QComboBox(parent), entries_(std::move(entries))
{
    setObjectName(objectName);
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
}

void FileListCombo::showPopup()
{
    const QString typed = currentText();
    clear();
    addItems(entries_());
    setCurrentIndex(-1);
    setEditText(typed);
    emit droppedDown();
    QComboBox::showPopup();
}

std::function<QStringList()> InsertDialogHost::folderFiles(const QString& sub) const
{
    return [host = *this, sub] {
        if (host.refreshFolderLists)
            host.refreshFolderLists();
        const QString folder = host.pageFolder();
        return fileNamesIn(sub.isEmpty() || folder.isEmpty() ? folder : QDir(folder).filePath(sub));
    };
}

QWidget* sliderWithValue(QSlider* slider, QWidget* parent)
{
    auto* holder = new QWidget(parent);
    auto* layout = new QHBoxLayout(holder);
    layout->setContentsMargins(0, 0, 0, 0);
    slider->setParent(holder);
    layout->addWidget(slider, 1);
    auto* value = new QLabel(QString::number(slider->value()), holder);
    value->setObjectName(slider->objectName() + QStringLiteral("Value"));
    value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    // As wide as the widest number, so the slider keeps its length.
    const QFontMetrics metrics(value->font());
    const int widest = std::max(metrics.horizontalAdvance(QString::number(slider->minimum())),
                                metrics.horizontalAdvance(QString::number(slider->maximum())));
    value->setMinimumWidth(widest + 4);
    layout->addWidget(value);
    QObject::connect(slider, &QSlider::valueChanged, value,
                     [value](int number) { value->setText(QString::number(number)); });
    return holder;
}

QStringList fileNamesIn(const QString& folder)
{
    if (folder.isEmpty())
        return {};
    return QDir(folder).entryList(QDir::Files, QDir::Name | QDir::IgnoreCase);
}

}
