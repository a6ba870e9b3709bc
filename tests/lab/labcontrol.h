#pragma once

#include <QString>

// The few things only root may do in the lab (stop the service, kill a tunnel program, read the
// firewall and the provider's counters), asked of the root side through two named pipes in the
// lab user's own folder. The root side answers only the words it knows.
class LabControl
{
public:
    explicit LabControl(const QString& folder);

    bool isAvailable() const;
    QString ask(const QString& command) const;

private:
    QString m_folder;
};
