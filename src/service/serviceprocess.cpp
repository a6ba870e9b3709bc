#include "serviceprocess.h"

#include "app/logger.h"
#include "service/servicecontroller.h"
#include "utils/utils.h"

#include <algorithm>
#include <limits>

namespace {

const QString startedPrefix = QStringLiteral("started:");
const QString finishedPrefix = QStringLiteral("finished:");
const QString startCommandPrefix = QStringLiteral("start: ");
const QString killCommandPrefix = QStringLiteral("start: <kill ");

} // namespace

ServiceProcess::ServiceProcess(const QString& name, QObject* parent) : QObject(parent), m_name(name)
{
    setObjectName(name);
    ServiceController* controller = ServiceController::instance();
    if (!controller) {
        Logger::critical(objectName(),
                         QStringLiteral("No service link: notifications will not arrive"));
        return;
    }
    connect(controller, &ServiceController::processOutput, this, &ServiceProcess::onProcessOutput);
}

QString ServiceProcess::startMessage(const QStringList& programAndArguments)
{
    QStringList quotedElements;
    for (const QString& element : programAndArguments)
        quotedElements << Utils::quoted(element);
    return QStringLiteral("start: %1").arg(quotedElements.join(QLatin1Char(' ')));
}

bool ServiceProcess::isSafeCommand(const QStringList& programAndArguments)
{
    return std::none_of(programAndArguments.cbegin(), programAndArguments.cend(),
                        Utils::hasCommandBreakingCharacter);
}

bool ServiceProcess::isStartRequest(const QString& command)
{
    return command.startsWith(startCommandPrefix) && !command.startsWith(killCommandPrefix);
}

void ServiceProcess::start(const QStringList& programAndArguments)
{
    // An element with a quote or a line break would rewrite the root-run command line.
    if (!isSafeCommand(programAndArguments)) {
        Logger::critical(objectName(),
                         QStringLiteral("Command refused: an element holds a quote, a line "
                                        "break or a NUL"));
        settleState();
        emit error(-1);
        return;
    }
    startCommand(startMessage(programAndArguments));
}

void ServiceProcess::startCommand(const QString& command)
{
    m_state = Starting;
    ++m_pendingStarts;
    if (ServiceController* controller = ServiceController::instance())
        controller->send(command, this);
}

void ServiceProcess::abandonStart()
{
    m_pendingStarts = qMax(0, m_pendingStarts - 1);
    settleState();
    emit error(-1);
}

void ServiceProcess::sendCommand(const QString& command)
{
    sendToService(command);
}

void ServiceProcess::sendToService(const QString& message)
{
    if (ServiceController* controller = ServiceController::instance())
        controller->send(message);
}

ServiceProcess::Notification ServiceProcess::parseNotification(const QString& text)
{
    Notification notification;
    QString prefix;
    if (text.startsWith(startedPrefix)) {
        notification.kind = Notification::Started;
        prefix = startedPrefix;
    } else if (text.startsWith(finishedPrefix)) {
        notification.kind = Notification::Finished;
        prefix = finishedPrefix;
    } else {
        return notification;
    }
    const QStringList fields = QString(text).remove(prefix).split(QLatin1Char(','));
    if (fields.size() >= 3)
        notification.id = fields.first().toULongLong();
    if (fields.size() >= 4 && notification.kind == Notification::Started)
        notification.request = fields.at(2).toULongLong();
    if (fields.size() >= 2)
        notification.code = codeOf(fields.at(1));
    notification.name = fields.last();
    return notification;
}

int ServiceProcess::codeOf(const QString& field)
{
    if (field.isEmpty())
        return 0;
    bool ok = false;
    const qint64 code = field.toLongLong(&ok);
    // What cannot be read, or is out of range, must not pass for success.
    return ok && code >= 0 && code <= std::numeric_limits<int>::max() ? int(code) : -1;
}

void ServiceProcess::onProcessOutput(const QString& output)
{
    const Notification notification = parseNotification(output);
    if (notification.kind == Notification::None || notification.name != m_name)
        return;
    if (!claim(notification))
        return;
    if (notification.kind == Notification::Finished) {
        settleState();
        emit finished(notification.code);
    } else if (notification.code != 0) {
        settleState();
        emit error(notification.code);
    } else {
        m_state = Running;
        emit started();
    }
}

bool ServiceProcess::claim(const Notification& notification)
{
    if (notification.kind == Notification::Started) {
        // An answer tied to its request belongs to the handle that sent it, and to no other.
        if (notification.request != 0) {
            const ServiceController* controller = ServiceController::instance();
            if (!controller || !controller->isRequestOf(notification.request, this))
                return false;
        } else if (notification.id != 0 && m_pendingStarts == 0) {
            return false;
        }
        m_pendingStarts = qMax(0, m_pendingStarts - 1);
        if (notification.id != 0 && notification.code == 0)
            m_runs.insert(notification.id);
        return true;
    }
    // Without an id only the name can tell.
    return notification.id == 0 || m_runs.remove(notification.id);
}

void ServiceProcess::settleState()
{
    if (!m_runs.isEmpty())
        m_state = Running;
    else
        m_state = m_pendingStarts > 0 ? Starting : NotRunning;
}
