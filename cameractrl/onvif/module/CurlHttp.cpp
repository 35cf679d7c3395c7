// SPDX-License-Identifier: GPL-2.0-or-later
#include "CurlHttp.h"

CurlHttp::CurlHttp()
{
    multi = curl_multi_init();
    easy = curl_easy_init();
}

CurlHttp::~CurlHttp()
{
    drop();
    if (easy)
        curl_easy_cleanup(easy);
    if (multi)
        curl_multi_cleanup(multi);
    curl_slist_free_all(headers);
}

void CurlHttp::drop()
{
    if (running)
        curl_multi_remove_handle(multi, easy);
    running = false;
}

size_t CurlHttp::collect(char *data, size_t size, size_t count, void *context)
{
    auto *self = static_cast<CurlHttp *>(context);
    const size_t n = size * count;
    if (self->received.size() + n > self->limit) {
        self->tooLarge = true;
        return 0; // ends the transfer
    }
    self->received.append(data, n);
    return n;
}

void CurlHttp::post(const std::string &to, const std::string &text, const std::string &soapAction,
                    const std::string &name, const std::string &secret,
                    std::chrono::milliseconds timeout)
{
    url = to;
    body = text;
    action = soapAction;
    user = name;
    password = secret;
    timeoutMs = long(timeout.count());
    start();
}

void CurlHttp::get(const std::string &to, const std::string &name, const std::string &secret,
                   bool basic, std::chrono::milliseconds timeout, size_t most)
{
    drop();
    received.clear();
    tooLarge = posting = false;
    limit = most;
    curl_slist_free_all(headers);
    headers = nullptr;
    curl_easy_setopt(easy, CURLOPT_HTTPGET, 1L);
    curl_easy_setopt(easy, CURLOPT_HTTPHEADER, nullptr);
    curl_easy_setopt(easy, CURLOPT_URL, to.c_str());
    curl_easy_setopt(easy, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(easy, CURLOPT_FOLLOWLOCATION, 0L); // credentials never go elsewhere
    curl_easy_setopt(easy, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(easy, CURLOPT_WRITEFUNCTION, &CurlHttp::collect);
    curl_easy_setopt(easy, CURLOPT_WRITEDATA, this);
    curl_easy_setopt(easy, CURLOPT_TIMEOUT_MS, long(timeout.count()));
    curl_easy_setopt(easy, CURLOPT_CONNECTTIMEOUT_MS, long(timeout.count()));
    // Nothing is sent before the server has said what it takes.
    curl_easy_setopt(easy, CURLOPT_HTTPAUTH,
                     long(CURLAUTH_DIGEST | (basic ? CURLAUTH_BASIC : CURLAUTH_NONE)));
    curl_easy_setopt(easy, CURLOPT_USERNAME, name.empty() ? nullptr : name.c_str());
    curl_easy_setopt(easy, CURLOPT_PASSWORD, name.empty() ? nullptr : secret.c_str());
    curl_multi_add_handle(multi, easy);
    running = true;
}

void CurlHttp::start()
{
    drop();
    received.clear();
    tooLarge = false;
    posting = true;
    limit = MaxBody;
    curl_slist_free_all(headers);
    headers = nullptr;
    const std::string type = "Content-Type: application/soap+xml; charset=utf-8" +
                             (action.empty() ? std::string() : "; action=\"" + action + "\"");
    headers = curl_slist_append(headers, type.c_str());
    headers = curl_slist_append(headers, "Expect:"); // no round trip before the body
    // Not reset: the handle keeps its connection and the camera's digest challenge.
    curl_easy_setopt(easy, CURLOPT_URL, url.c_str());
    curl_easy_setopt(easy, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(easy, CURLOPT_FOLLOWLOCATION, 0L);
    curl_easy_setopt(easy, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(easy, CURLOPT_HTTPHEADER, headers);
    curl_easy_setopt(easy, CURLOPT_POSTFIELDS, body.c_str());
    curl_easy_setopt(easy, CURLOPT_POSTFIELDSIZE, long(body.size()));
    curl_easy_setopt(easy, CURLOPT_WRITEFUNCTION, &CurlHttp::collect);
    curl_easy_setopt(easy, CURLOPT_WRITEDATA, this);
    curl_easy_setopt(easy, CURLOPT_TIMEOUT_MS, timeoutMs);
    curl_easy_setopt(easy, CURLOPT_CONNECTTIMEOUT_MS, timeoutMs);
    // Digest only: a password never goes out in the clear, and only once asked for.
    const bool signIn = digest && !user.empty();
    curl_easy_setopt(easy, CURLOPT_HTTPAUTH, long(CURLAUTH_DIGEST));
    curl_easy_setopt(easy, CURLOPT_USERNAME, signIn ? user.c_str() : nullptr);
    curl_easy_setopt(easy, CURLOPT_PASSWORD, signIn ? password.c_str() : nullptr);
    curl_multi_add_handle(multi, easy);
    running = true;
}

void CurlHttp::wait(int wake, int timeoutMs)
{
    curl_waitfd extra = {wake, CURL_WAIT_POLLIN, 0};
    curl_multi_poll(multi, wake >= 0 ? &extra : nullptr, wake >= 0 ? 1 : 0, timeoutMs, nullptr);
}

std::optional<OnvifHttp::Answer> CurlHttp::progress()
{
    if (!running)
        return std::nullopt;
    int still = 0;
    curl_multi_perform(multi, &still);
    int left = 0;
    while (CURLMsg *message = curl_multi_info_read(multi, &left)) {
        if (message->msg != CURLMSG_DONE || message->easy_handle != easy)
            continue;
        Answer answer;
        const CURLcode result = message->data.result;
        if (tooLarge) {
            answer.tooLarge = true;
            answer.error = "an answer larger than " + std::to_string(limit / 1024) + " KiB";
        } else if (result != CURLE_OK) {
            answer.error = curl_easy_strerror(result);
        } else {
            curl_easy_getinfo(easy, CURLINFO_RESPONSE_CODE, &answer.status);
            answer.body = std::move(received);
        }
        drop();
        if (posting && answer.status == 401 && !digest && !user.empty()) {
            long offered = 0;
            curl_easy_getinfo(easy, CURLINFO_HTTPAUTH_AVAIL, &offered);
            if (offered & CURLAUTH_DIGEST) {
                digest = true;
                start();
                return std::nullopt;
            }
        }
        return answer;
    }
    return std::nullopt;
}
