#pragma once
// 通用对话框_打开保存: the open/save dialog component with the layout's
// filter and default extension. It has no window until it is shown.
#include "core/Prompts.h"

#include <QObject>
#include <QString>

class OpenSaveDialog : public QObject {
    Q_OBJECT
public:
    explicit OpenSaveDialog(QObject* owner);

    QString Filter() const { return filter_; }  // "label|patterns"
    QString DefaultExtension() const { return defaultExtension_; }
    void SetMode(PathMode mode) { mode_ = mode; }
    // The folder the next Show starts in; empty: the folder last used.
    void SetStartFolder(const QString& folder) { startFolder_ = folder; }
    // True when the user chose a file; FileName() then holds its full path.
    bool Show(QWidget* window);
    QString FileName() const { return fileName_; }

private:
    QString filter_;
    QString defaultExtension_;
    PathMode mode_ = PathMode::Open;
    QString fileName_;
    QString startFolder_;
    QString lastFolder_;
};

// "VBSCRIPT(*.vbs;*.txt)|*.vbs;*.txt" in Qt's form "VBSCRIPT(*.vbs;*.txt) (*.vbs *.txt)".
QString QtFilter(const QString& filter);
