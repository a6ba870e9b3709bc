#include "app/application.h"
#include "app/startup.h"

int main(int argc, char** argv)
{
#ifdef CORVALINK_PRODUCT_NAME
    Application::setProductName(QStringLiteral(CORVALINK_PRODUCT_NAME));
#endif
    return Startup::run(argc, argv);
}
