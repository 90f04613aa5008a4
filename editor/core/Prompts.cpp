#include "core/Prompts.h"

#include "core/DocumentOpener.h"

#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>

namespace {

QString ChoosePathWithDialog(QWidget* parent, PathMode mode, const QString& filter, const QString& suffix,
                             const QString& folder)
{
    QFileDialog dialog(parent);
    if (!folder.isEmpty()) dialog.setDirectory(folder);
    dialog.setNameFilter(filter);
    dialog.setDefaultSuffix(suffix);
    dialog.setAcceptMode(mode == PathMode::Open ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
    dialog.setFileMode(mode == PathMode::Open ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().first();
}

Answer AskWithBox(QWidget* parent, const QString& title, const QString& text, bool withCancel)
{
    auto buttons = QMessageBox::Yes | QMessageBox::No;
    if (withCancel) buttons |= QMessageBox::Cancel;
    switch (QMessageBox::question(parent, title, text, buttons, QMessageBox::Yes)) {
    case QMessageBox::Yes: return Answer::Yes;
    case QMessageBox::No: return Answer::No;
    default: return withCancel ? Answer::Cancel : Answer::No;
    }
}

void WarnWithBox(QWidget* parent, const QString& title, const QString& text)
{
    QMessageBox::warning(parent, title, text);
}

void ErrorBox(QWidget* parent, const QString& title, const QString& text)
{
    QMessageBox::critical(parent, title, text);
}

void InformWithBox(QWidget* parent, const QString& title, const QString& text)
{
    QMessageBox::information(parent, title, text);
}

int ChooseItemWithDialog(QWidget* parent, const QString& title, const QString& label, const QStringList& items)
{
    bool ok = false;
    const QString chosen = QInputDialog::getItem(parent, title, label, items, 0, false, &ok);
    return ok ? int(items.indexOf(chosen)) : -1;
}

void OpenWithDesktop(const QString& path)
{
    OpenDocumentWithDesktop(path, [](const QString& message) {
        UserPrompts().error(nullptr, QStringLiteral("帮助文档"), message);
    });
}

Prompts Defaults()
{
    return {ChoosePathWithDialog, AskWithBox, WarnWithBox, ErrorBox, InformWithBox, ChooseItemWithDialog, OpenWithDesktop};
}

}  // namespace

Prompts& UserPrompts()
{
    static Prompts prompts = Defaults();
    return prompts;
}

void RestoreDefaultPrompts() { UserPrompts() = Defaults(); }
