#include "criticalerrorbox.h"

#include "app/logger.h"

#include <QPushButton>

CriticalErrorBox::CriticalErrorBox(QWidget* parent) : QMessageBox(parent)
{
    setObjectName(QStringLiteral("CriticalErrorBox"));
    setIcon(QMessageBox::Critical);
    setWindowTitle(QStringLiteral("Corvalink"));
    setText(tr("Critical error, exiting (Click 'Show logs' for details)."));
    m_closeButton = addButton(tr("Close"), QMessageBox::AcceptRole);
    m_showLogsButton = addButton(tr("Show logs"), QMessageBox::ActionRole);
    // Closing the window or Escape ends the box as "Close" does.
    setEscapeButton(m_closeButton);
    // Without the box's own connection the button no longer closes it.
    QObject::disconnect(m_showLogsButton, SIGNAL(clicked()), nullptr, nullptr);
    connect(m_showLogsButton, &QPushButton::clicked, this,
            [] { Logger::instance()->openLogFolder(); });
}
