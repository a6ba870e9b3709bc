// "lab-settings --user U --password P [--protocol N] [--killswitch on|off]
// [--auto-reconnect on|off] [--local-access on|off] [--server ID]": writes the client's settings
// store of the user who runs it, through the client's own settings class, so that the password is
// kept the way the client reads it.
#include "settings/settings.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QTextStream>

namespace {

bool readSwitch(const QCommandLineParser& parser, const QCommandLineOption& option, bool* value)
{
    if (!parser.isSet(option))
        return true;
    const QString text = parser.value(option);
    if (text != QLatin1String("on") && text != QLatin1String("off"))
        return false;
    *value = text == QLatin1String("on");
    return true;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    const QCommandLineOption user(QStringLiteral("user"), QStringLiteral("Account name."),
                                  QStringLiteral("name"));
    const QCommandLineOption password(QStringLiteral("password"), QStringLiteral("Password."),
                                      QStringLiteral("text"));
    const QCommandLineOption protocol(QStringLiteral("protocol"),
                                      QStringLiteral("0 UDP, 1 TCP, 2 Stealth, 3 WireGuard."),
                                      QStringLiteral("n"));
    const QCommandLineOption killswitch(QStringLiteral("killswitch"), QStringLiteral("on|off"),
                                        QStringLiteral("state"));
    const QCommandLineOption reconnect(QStringLiteral("auto-reconnect"), QStringLiteral("on|off"),
                                       QStringLiteral("state"));
    const QCommandLineOption local(QStringLiteral("local-access"), QStringLiteral("on|off"),
                                   QStringLiteral("state"));
    const QCommandLineOption server(QStringLiteral("server"),
                                    QStringLiteral("The chosen server's name or address."),
                                    QStringLiteral("id"));
    parser.addOptions({user, password, protocol, killswitch, reconnect, local, server});
    parser.process(app);

    QTextStream err(stderr);
    Settings* settings = Settings::instance();
    if (parser.isSet(user))
        settings->setUserName(parser.value(user));
    if (parser.isSet(password))
        settings->setPassword(parser.value(password));
    if (parser.isSet(protocol)) {
        bool ok = false;
        const int value = parser.value(protocol).toInt(&ok);
        if (!ok || value < 0 || value > 3) {
            err << "protocol must be 0, 1, 2 or 3\n";
            return 2;
        }
        settings->setNetworkProtocol(value);
    }
    bool killswitchOn = settings->killswitchEnabled();
    bool reconnectOn = settings->autoReconnectionOnError();
    bool localOn = settings->allowAccessToLocalDevices();
    if (!readSwitch(parser, killswitch, &killswitchOn) ||
        !readSwitch(parser, reconnect, &reconnectOn) || !readSwitch(parser, local, &localOn)) {
        err << "switches take on or off\n";
        return 2;
    }
    settings->setKillswitchEnabled(killswitchOn);
    settings->setAutoReconnectionOnError(reconnectOn);
    settings->setAllowAccessToLocalDevices(localOn);
    settings->setAutoUpdateEnabled(false);
    if (parser.isSet(server))
        settings->saveCurrentServerId(parser.value(server));
    settings->saveGeneralSettings();
    return 0;
}
