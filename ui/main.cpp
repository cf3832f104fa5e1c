#include "ui/Startup.h"

int main(int argc, char** argv)
{
    if (const auto status = kelmora::ui::AnswerInformationRequest(argc, argv))
        return *status;
    return kelmora::ui::RunKelmora(argc, argv);
}
