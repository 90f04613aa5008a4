#include "upgrader/UpgraderWindow.h"

#include "common/Manifest.h"
#include "common/ProgramFolder.h"
#include "common/ProgramNames.h"

#include <QCloseEvent>
#include <QFile>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QTreeWidget>

#include <cstdio>

namespace {

const QString kWindowTitle = QStringLiteral("Vantrel");
const QString kReady = QStringLiteral("准备下载");
const QString kDownloading = QStringLiteral("正在下载文件：");
const QString kFile = QStringLiteral("文件：");
const QString kDownloaded = QStringLiteral(" 下载完成！");
const QString kFailedText = QStringLiteral("下载失败");
const QString kUpdated = QStringLiteral("更新完毕");
const QString kUpdateFailed = QStringLiteral("更新失败");

// The outer size of the window is 534 x 254; this is what is left inside a
// fixed border and a caption, and holds every control with its margin.
constexpr QSize kClientSize(528, 224);

QLabel* AddLabel(QWidget* parent, const char* name, const QString& text, QRect geometry)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromUtf8(name));
    label->setGeometry(geometry);
    return label;
}

void ShowMessageBox(QWidget* parent, const QString& text)
{
    QMessageBox box(QMessageBox::NoIcon, kWindowTitle, text, QMessageBox::Ok, parent);
    box.exec();
}

}  // namespace

QString FormatKilobytes(double bytes) { return QString::number(bytes / 1000.0, 'f', 2) + QStringLiteral("KB"); }

QString FormatPercent(double received, double total) { return QString::number(received / total * 100.0, 'f', 1); }

QString FormatRate(double bytesPerSecond) { return QString::number(bytesPerSecond / 1000.0, 'f', 2) + QStringLiteral("KB/S"); }

bool IsBareFileName(const QString& name)
{
    return !name.isEmpty() && !name.contains(u'/') && name != QStringLiteral(".") && !name.contains(QStringLiteral(".."));
}

UpgraderWindow::UpgraderWindow(QWidget* parent) : QWidget(parent), showMessage(ShowMessageBox)
{
    setWindowTitle(kWindowTitle);
    setFixedSize(kClientSize);
    move(50, 50);

    status_ = AddLabel(this, "标签_说明", kReady, {8, 8, 416, 16});
    AddLabel(this, "标签4", QStringLiteral("下载速度:"), {8, 32, 56, 24});
    speed_ = AddLabel(this, "标签_下载速度", {}, {64, 32, 104, 24});
    AddLabel(this, "标签1", QStringLiteral("文件大小:"), {176, 31, 56, 24});
    size_ = AddLabel(this, "标签_文件大小", {}, {232, 31, 104, 24});

    update_ = new QPushButton(QStringLiteral("更新"), this);
    update_->setObjectName(QStringLiteral("按钮_更新"));
    update_->setGeometry(360, 32, 64, 24);
    connect(update_, &QPushButton::clicked, this, &UpgraderWindow::StartUpdate);

    log_ = new QTreeWidget(this);
    log_->setObjectName(QStringLiteral("超级列表框2"));
    log_->setGeometry(8, 64, 512, 136);
    log_->setRootIsDecorated(false);
    log_->setUniformRowHeights(true);
    log_->setHeaderLabels({QStringLiteral("时间"), QStringLiteral("信息")});
    log_->header()->setStretchLastSection(false);
    log_->setColumnWidth(0, 200);
    log_->setColumnWidth(1, 800);

    progress_ = new QProgressBar(this);
    progress_->setObjectName(QStringLiteral("多功能条1"));
    progress_->setGeometry(8, 200, 512, 16);
    progress_->setRange(0, 100);
    progress_->setValue(0);
    progress_->setTextVisible(false);
}

UpgraderWindow::~UpgraderWindow() { downloader_.Cancel(); }

bool UpgraderWindow::Accept(const QStringList& arguments)
{
    arguments_ = arguments;
    // Only a name inside the program folder may be replaced.
    if (arguments_.size() != 1 || !IsBareFileName(arguments_.first())) return false;
    TargetName = arguments_.first();
    return true;
}

void UpgraderWindow::StartUpdate()
{
    if (downloader_.Running()) return;
    XmlReader reader;
    reader.Load(ProgramPath(kManifestFile));
    const QString entry = QString::fromUtf8(kUpdateEntryPath);

    request_.bufferSize = 4096;
    request_.sourceUrl = reader.Value(entry, QString::fromUtf8(kManifestAddressName));
    request_.targetFile = ProgramPath(QStringLiteral("/") + kDownloadFile);
    request_.attempts = 1;
    request_.progressStep = 20480;
    request_.connectTimeoutMs = timeoutMs_;
    request_.stallTimeoutMs = timeoutMs_;
    request_.responseTimeoutMs = timeoutMs_;
    request_.log = [this](int kind, const QString& time, const QString& message, int code, qint64 bytes) {
        OnDownloadLog(kind, time, message, code, bytes);
    };
    request_.event = [this](int code, qint64 total, qint64 received, qint64 rate, int result) {
        OnDownloadEvent(code, total, received, rate, result);
    };
    request_.sha256 = reader.Value(entry, QString::fromUtf8(kManifestChecksumName));

    if (downloader_.Start(request_)) update_->setEnabled(false);
}

void UpgraderWindow::OnDownloadEvent(int code, qint64, qint64, qint64, int)
{
    const QString& url = request_.sourceUrl;
    switch (code) {
    case kDownloadBegun:
        status_->setText(kDownloading + url);
        TotalSize = double(downloader_.Status().totalSize);
        progress_->setMaximum(int(qMin(TotalSize, double(INT_MAX))));
        size_->setText(FormatKilobytes(TotalSize));
        break;
    case kDownloadProgress:
        ReceivedSize = double(downloader_.Status().received);
        progress_->setValue(int(qMin(ReceivedSize, double(INT_MAX))));
        // Without a known size there is no share to show.
        status_->setText(TotalSize > 0 ? kDownloading + url + u'(' + FormatPercent(ReceivedSize, TotalSize) + QStringLiteral("%)")
                                       : kDownloading + url);
        speed_->setText(FormatRate(downloader_.Rate()));
        break;
    case kDownloadComplete:
        status_->setText(kFile + url + kDownloaded);
        ReplaceEditor();
        break;
    case kDownloadFailed:
        status_->setText(kFailedText);
        update_->setEnabled(true);
        break;
    default: break;
    }
}

void UpgraderWindow::ReplaceEditor()
{
    const QString downloaded = ProgramPath(QStringLiteral("/") + kDownloadFile);
    const QString target = ProgramPath(QStringLiteral("/") + TargetName);
    const auto executable = QFile::ExeOwner | QFile::ExeUser | QFile::ExeGroup | QFile::ExeOther;
    const auto readable = QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser | QFile::WriteUser |
                          QFile::ReadGroup | QFile::ReadOther;
    // Runnable before it takes the old one's place; rename(2) swaps the names
    // in one step, so the old executable stays whole until then.
    bool replaced = QFile::setPermissions(downloaded, readable | executable) &&
                    std::rename(QFile::encodeName(downloaded).constData(), QFile::encodeName(target).constData()) == 0;
    if (!replaced) {
        QFile::remove(downloaded);
        showMessage(this, kUpdateFailed);
        return;
    }
    QFile::remove(ProgramPath(kManifestFile));
    showMessage(this, kUpdated);
}

void UpgraderWindow::OnDownloadLog(int, const QString& time, const QString& message, int, qint64)
{
    auto* row = new QTreeWidgetItem(log_);
    row->setText(0, time);
    log_->topLevelItem(log_->topLevelItemCount() - 1)->setText(1, message);
    log_->scrollToItem(row);
}

void UpgraderWindow::closeEvent(QCloseEvent* event)
{
    // A transfer cut short leaves no partial file behind.
    downloader_.Cancel();
    event->accept();
}
