// SPDX-License-Identifier: GPL-2.0-or-later
// The stream module: StreamWire over GStreamer. uridecodebin opens whatever the URL names and
// plugs the depayloaders and decoders the stream needs; its video goes through videoconvert
// and videoscale into an appsink that keeps only the newest frame, in RGB at the width asked
// for. Nothing here runs a main loop: the bus is looked at when a frame does not come.
#include "StreamWire.h"

#include <gst/app/gstappsink.h>
#include <gst/gst.h>
#include <gst/video/video.h>

#include <mutex>

namespace {

// rtspsrc's jitter buffer holds two seconds by default: far too long to wait for a picture.
constexpr unsigned LatencyMs = 100;

struct Credentials
{
    std::string user, password;
};

bool has(GObject *object, const char *property)
{
    return g_object_class_find_property(G_OBJECT_GET_CLASS(object), property) != nullptr;
}

void sourceSetup(GstElement *, GstElement *source, gpointer data)
{
    const auto *c = static_cast<const Credentials *>(data);
    GObject *object = G_OBJECT(source);
    // rtspsrc and souphttpsrc both answer a sign-in with these.
    if (!c->user.empty() && has(object, "user-id") && has(object, "user-pw"))
        g_object_set(object, "user-id", c->user.c_str(), "user-pw", c->password.c_str(), nullptr);
    if (has(object, "latency"))
        g_object_set(object, "latency", guint(LatencyMs), nullptr);
    // Interleaved in the RTSP connection: no UDP ports to be let through on the way.
    if (has(object, "protocols"))
        gst_util_set_object_arg(object, "protocols", "tcp");
}

void padAdded(GstElement *, GstPad *pad, gpointer data)
{
    GstPad *into = gst_element_get_static_pad(static_cast<GstElement *>(data), "sink");
    GstCaps *caps = gst_pad_get_current_caps(pad);
    if (!caps)
        caps = gst_pad_query_caps(pad, nullptr);
    const GstStructure *s =
        caps && !gst_caps_is_empty(caps) ? gst_caps_get_structure(caps, 0) : nullptr;
    if (s && g_str_has_prefix(gst_structure_get_name(s), "video/") && !gst_pad_is_linked(into))
        gst_pad_link(pad, into);
    if (caps)
        gst_caps_unref(caps);
    gst_object_unref(into);
}

// GStreamer's own words, without the password should it ever quote it.
std::string scrubbed(std::string text, const Credentials &c)
{
    for (const std::string *secret : {&c.password, &c.user})
        for (size_t at; !secret->empty() && (at = text.find(*secret)) != std::string::npos;)
            text.replace(at, secret->size(), "***");
    return text;
}

class GstVideoStream final : public VideoStream
{
public:
    GstVideoStream(std::unique_ptr<Credentials> given, GstElement *made, GstElement *appsink)
        : credentials(std::move(given)), pipeline(made), sink(appsink)
    {}
    ~GstVideoStream() override
    {
        gst_element_set_state(pipeline, GST_STATE_NULL);
        gst_object_unref(pipeline);
    }

    bool frame(RgbImage &image, int timeoutMs, std::string &error) override
    {
        GstSample *sample =
            gst_app_sink_try_pull_sample(GST_APP_SINK(sink), GstClockTime(timeoutMs) * GST_MSECOND);
        if (!sample) {
            error = failure();
            return false;
        }
        GstVideoInfo info;
        GstVideoFrame video;
        bool ok = gst_video_info_from_caps(&info, gst_sample_get_caps(sample)) &&
                  gst_video_frame_map(&video, &info, gst_sample_get_buffer(sample), GST_MAP_READ);
        if (ok) {
            image.width = GST_VIDEO_FRAME_WIDTH(&video);
            image.height = GST_VIDEO_FRAME_HEIGHT(&video);
            const int stride = GST_VIDEO_FRAME_PLANE_STRIDE(&video, 0);
            const auto *data = static_cast<const uint8_t *>(GST_VIDEO_FRAME_PLANE_DATA(&video, 0));
            const size_t row = size_t(image.width) * 3;
            image.pixels.resize(row * size_t(image.height));
            for (int y = 0; y < image.height; ++y)
                std::copy(data + size_t(y) * size_t(stride),
                          data + size_t(y) * size_t(stride) + row,
                          image.pixels.begin() + std::ptrdiff_t(row * size_t(y)));
            gst_video_frame_unmap(&video);
        } else {
            error = "a frame that cannot be read";
        }
        gst_sample_unref(sample);
        return ok;
    }

    // Why no frame came: the pipeline's error or the stream's end, "" when it is only late.
    std::string failure()
    {
        GstBus *bus = gst_element_get_bus(pipeline);
        GstMessage *message =
            gst_bus_pop_filtered(bus, GstMessageType(GST_MESSAGE_ERROR | GST_MESSAGE_EOS));
        gst_object_unref(bus);
        std::string why;
        if (message && GST_MESSAGE_TYPE(message) == GST_MESSAGE_ERROR) {
            GError *e = nullptr;
            gst_message_parse_error(message, &e, nullptr);
            why = scrubbed(e && e->message ? e->message : "the stream failed", *credentials);
            if (e)
                g_error_free(e);
        } else if (message || gst_app_sink_is_eos(GST_APP_SINK(sink))) {
            why = "the stream ended";
        }
        if (message)
            gst_message_unref(message);
        return why;
    }

private:
    const std::unique_ptr<Credentials> credentials; // outlives the pipeline that reads it
    GstElement *const pipeline;
    GstElement *const sink;
};

class GstStreams final : public StreamWire
{
public:
    bool start(std::string &error) override
    {
        std::call_once(once, [this] {
            GError *e = nullptr;
            if (!gst_init_check(nullptr, nullptr, &e))
                failed = e && e->message ? e->message : "GStreamer cannot be started";
            if (e)
                g_error_free(e);
        });
        error = failed;
        return failed.empty();
    }

    std::unique_ptr<VideoStream> open(const std::string &url, const std::string &user,
                                      const std::string &password, int width,
                                      std::string &error) override
    {
        GstElement *decode = gst_element_factory_make("uridecodebin", nullptr);
        GstElement *convert = gst_element_factory_make("videoconvert", nullptr);
        GstElement *scale = gst_element_factory_make("videoscale", nullptr);
        GstElement *sink = gst_element_factory_make("appsink", nullptr);
        if (!decode || !convert || !scale || !sink) {
            for (GstElement *e : {decode, convert, scale, sink})
                if (e)
                    gst_object_unref(e);
            error = "GStreamer lacks its base plugins (uridecodebin, videoconvert, videoscale, "
                    "appsink)";
            return nullptr;
        }
        GstElement *pipeline = gst_pipeline_new(nullptr);
        gst_bin_add_many(GST_BIN(pipeline), decode, convert, scale, sink, nullptr);
        gst_element_link_many(convert, scale, sink, nullptr);
        GstCaps *caps =
            gst_caps_new_simple("video/x-raw", "format", G_TYPE_STRING, "RGB", "width", G_TYPE_INT,
                                width, "pixel-aspect-ratio", GST_TYPE_FRACTION, 1, 1, nullptr);
        g_object_set(sink, "caps", caps, "max-buffers", guint(1), "drop", TRUE, "sync", FALSE,
                     nullptr);
        gst_caps_unref(caps);
        auto credentials = std::make_unique<Credentials>(Credentials{user, password});
        g_object_set(decode, "uri", url.c_str(), nullptr);
        g_signal_connect(decode, "source-setup", G_CALLBACK(sourceSetup), credentials.get());
        g_signal_connect(decode, "pad-added", G_CALLBACK(padAdded), convert);
        auto stream = std::make_unique<GstVideoStream>(std::move(credentials), pipeline, sink);
        if (gst_element_set_state(pipeline, GST_STATE_PLAYING) == GST_STATE_CHANGE_FAILURE) {
            error = stream->failure();
            if (error.empty())
                error = "the stream cannot be played";
            return nullptr;
        }
        return stream;
    }

private:
    std::once_flag once;
    std::string failed;
};

} // namespace

extern "C" __attribute__((visibility("default"))) StreamWire *ptz_stream_wire_v1()
{
    // Never destroyed: GStreamer's threads may still run while the process exits.
    static GstStreams *wire = new GstStreams;
    return wire;
}
