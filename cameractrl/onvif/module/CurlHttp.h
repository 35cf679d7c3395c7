// SPDX-License-Identifier: GPL-2.0-or-later
// OnvifHttp over libcurl's multi interface: the transfer advances only when its thread asks,
// and its sleep also watches the worker's wake-up descriptor.
#pragma once

#include "OnvifWire.h"

#include <curl/curl.h>

class CurlHttp final : public OnvifHttp
{
public:
    CurlHttp();
    ~CurlHttp() override;

    void post(const std::string &url, const std::string &body, const std::string &action,
              const std::string &user, const std::string &password,
              std::chrono::milliseconds timeout) override;
    void get(const std::string &url, const std::string &user, const std::string &password,
             bool basic, std::chrono::milliseconds timeout, size_t limit) override;
    void wait(int wake, int timeoutMs) override;
    std::optional<Answer> progress() override;
    bool busy() const override { return running; }

private:
    static size_t collect(char *data, size_t size, size_t count, void *self);
    void drop();
    void start();

    CURLM *multi = nullptr;
    CURL *easy = nullptr; // kept, so its connection is reused
    curl_slist *headers = nullptr;
    std::string url, body, action, user, password, received;
    long timeoutMs = 0;
    size_t limit = MaxBody;
    bool running = false, tooLarge = false, posting = false;
    // The camera asked for HTTP digest. Until then none is offered: libcurl would send a
    // first request without its body, waiting for the challenge.
    bool digest = false;
};
