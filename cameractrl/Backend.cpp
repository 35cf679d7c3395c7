#include "Backend.h"
#include "Report.h"
#include "SimBackend.h"
#if defined(__linux__)
#include "V4l2Backend.h"
#include "V4l2SystemIo.h"
#endif

#include <cstdlib>
#include <string>

Backend *Backend::selected()
{
    static SimBackend sim;
#if defined(__linux__)
    static V4l2Backend v4l2(std::make_unique<V4l2SystemIo>());
    Backend *const available[] = {&v4l2, &sim};
#else
    Backend *const available[] = {&sim};
#endif

    // Real cameras unless told otherwise.
    const char *env = std::getenv("CAMERACTRL_BACKEND");
    const std::string wanted = env && *env ? env : available[0]->name();
    std::string names;
    for (Backend *backend : available) {
        if (wanted == backend->name())
            return backend;
        names += names.empty() ? "" : ", ";
        names += backend->name();
    }

    reportOnce("unknown CAMERACTRL_BACKEND \"" + wanted + "\"; accepted values: " + names);
    return nullptr;
}
