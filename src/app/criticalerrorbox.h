#pragma once

#include <QMessageBox>

class QPushButton;

// The last-resort box when the application cannot start; "Show logs" opens the log folder and
// leaves the box open.
class CriticalErrorBox : public QMessageBox
{
    Q_OBJECT

public:
    explicit CriticalErrorBox(QWidget* parent = nullptr);

    QPushButton* closeButton() const { return m_closeButton; }
    QPushButton* showLogsButton() const { return m_showLogsButton; }

private:
    QPushButton* m_closeButton = nullptr;
    QPushButton* m_showLogsButton = nullptr;
};
