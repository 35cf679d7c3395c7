#include "Backend.h"
#include "SimBackend.h"

#include <cstdio>
#include <cstdlib>
#include <set>
#include <string>

Backend *Backend::selected()
{
    static SimBackend sim;

    const char *env = std::getenv("CAMERACTRL_BACKEND");
    const std::string wanted = env && *env ? env : "sim";
    if (wanted == sim.name())
        return &sim;

    static std::set<std::string> reported;
    if (reported.insert(wanted).second)
        std::fprintf(stderr,
                     "CameraCtrl: unknown CAMERACTRL_BACKEND \"%s\"; accepted values: sim\n",
                     wanted.c_str());
    return nullptr;
}
