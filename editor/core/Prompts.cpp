#include "core/Prompts.h"

#include <QDesktopServices>
#include <QFileDialog>
#include <QUrl>
#include <QMessageBox>

namespace {

QString ChoosePathWithDialog(QWidget* parent, PathMode mode, const QString& filter, const QString& suffix)
{
    QFileDialog dialog(parent);
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

void OpenWithDesktop(const QString& path) { QDesktopServices::openUrl(QUrl::fromLocalFile(path)); }

Prompts Defaults() { return {ChoosePathWithDialog, AskWithBox, WarnWithBox, ErrorBox, InformWithBox, OpenWithDesktop}; }

}  // namespace

Prompts& UserPrompts()
{
    static Prompts prompts = Defaults();
    return prompts;
}

void RestoreDefaultPrompts() { UserPrompts() = Defaults(); }
