#pragma once
// 状态条1: panels addressed by index; panel 0 is the message panel, the last
// one shows the document's encoding and line ends.
#include <QList>
#include <QStatusBar>

class QLabel;

inline constexpr int kMessagePanel = 0;
inline constexpr int kFormatPanel = 7;

class StatusBar : public QStatusBar {
    Q_OBJECT
public:
    explicit StatusBar(QWidget* parent = nullptr);

    int PanelCount() const { return int(panels_.size()); }
    QString PanelText(int index) const;
    void SetPanelText(int index, const QString& text);
    QLabel* Panel(int index) const;

private:
    QList<QLabel*> panels_;
};
