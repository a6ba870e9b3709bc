#include "platform/networkwatch.h"

// No source of change events here yet: a dead tunnel is still noticed from its byte counts.
NetworkWatch::NetworkWatch(QObject* parent) : QObject(parent) {}

NetworkWatch::~NetworkWatch() = default;

void NetworkWatch::drain() {}
