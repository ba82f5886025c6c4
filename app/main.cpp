#include "app/COrvantaApp.h"

int main(int argc, char** argv) {
    qff::COrvantaApp app(argc, argv);
    if (!app.InitInstance()) {
        return app.ExitCode();
    }
    return app.exec();
}
