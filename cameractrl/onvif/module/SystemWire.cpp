// SPDX-License-Identifier: GPL-2.0-or-later
#include "SystemWire.h"
#include "CurlHttp.h"
#include "XmlReader.h"

#include <openssl/crypto.h>
#include <openssl/evp.h>
#include <openssl/rand.h>
#include <openssl/sha.h>

SystemWire::SystemWire()
{
    // A camera's worker may still be signing a request while the process exits: the crypto
    // library must not tear its tables down under it then.
    OPENSSL_init_crypto(OPENSSL_INIT_NO_ATEXIT, nullptr);
    // Once per process, before any thread makes a handle.
    curl_global_init(CURL_GLOBAL_DEFAULT);
}

std::unique_ptr<OnvifHttp> SystemWire::http()
{
    return std::make_unique<CurlHttp>();
}

bool SystemWire::parse(const std::string &text, XmlElement &root, std::string &error)
{
    return XmlReader::parse(text, root, error);
}

std::string SystemWire::sha1(const std::string &data)
{
    unsigned char digest[SHA_DIGEST_LENGTH];
    unsigned int size = 0;
    EVP_Digest(data.data(), data.size(), digest, &size, EVP_sha1(), nullptr);
    return std::string(reinterpret_cast<const char *>(digest), size);
}

std::string SystemWire::base64(const std::string &data)
{
    std::string out(4 * ((data.size() + 2) / 3) + 1, '\0');
    const int n =
        EVP_EncodeBlock(reinterpret_cast<unsigned char *>(out.data()),
                        reinterpret_cast<const unsigned char *>(data.data()), int(data.size()));
    out.resize(size_t(n));
    return out;
}

std::string SystemWire::randomBytes(size_t count)
{
    std::string out(count, '\0');
    RAND_bytes(reinterpret_cast<unsigned char *>(out.data()), int(count));
    return out;
}

extern "C" __attribute__((visibility("default"))) OnvifWire *ptz_onvif_wire_v2()
{
    // Never destroyed: cameras' workers may still use it while the process exits.
    static SystemWire *wire = new SystemWire;
    return wire;
}
