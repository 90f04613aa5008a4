#pragma once
// Vantrel's one window: downloads the editor named in up.xml and puts it in
// place of the editor's executable.
#include "upgrader/Downloader.h"

#include <QStringList>
#include <QWidget>

#include <functional>

class QLabel;
class QProgressBar;
class QPushButton;
class QTreeWidget;

// The readouts, without digit grouping; sizes and rates in units of 1000.
QString FormatKilobytes(double bytes);            // 987 -> "0.99KB"
QString FormatPercent(double received, double total);  // 329, 987 -> "33.3"
QString FormatRate(double bytesPerSecond);        // 512 -> "0.51KB/S"

// A name in the program folder: not empty, no "/", not "." and no "..".
bool IsBareFileName(const QString& name);

class UpgraderWindow : public QWidget {
    Q_OBJECT
public:
    explicit UpgraderWindow(QWidget* parent = nullptr);
    ~UpgraderWindow() override;

    // The created handler: exactly one argument, a bare file name, becomes
    // TargetName. False otherwise; the program then ends silently.
    bool Accept(const QStringList& arguments);

    void StartUpdate();
    void OnDownloadEvent(int code, qint64 totalSize, qint64 received, qint64 rate, int resultCode);
    void OnDownloadLog(int kind, const QString& time, const QString& message, int resultCode, qint64 received);

    // "更新完毕" and "更新失败"; tests answer it themselves.
    std::function<void(QWidget* parent, const QString& text)> showMessage;
    // The three time-outs StartUpdate gives the transfer.
    void SetTimeouts(int milliseconds) { timeoutMs_ = milliseconds; }

    QString TargetName;
    double TotalSize = 0;
    double ReceivedSize = 0;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void ReplaceEditor();

    QStringList arguments_;
    DownloadRequest request_;
    Downloader downloader_;
    int timeoutMs_ = 20000;

    QLabel* status_;
    QLabel* speed_;
    QLabel* size_;
    QPushButton* update_;
    QTreeWidget* log_;
    QProgressBar* progress_;
};
