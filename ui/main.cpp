#include "ui/Startup.h"

int main(int argc, char** argv)
{
    return kelmora::ui::RunKelmora(argc, argv);
}
