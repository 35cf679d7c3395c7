// SPDX-License-Identifier: GPL-2.0-or-later
// A camera's RTSP stream on 127.0.0.1 for the tests, served with GStreamer's RTSP server
// library: a test pattern as MJPEG over RTP at rtsp://127.0.0.1:PORT/view, PORT on the first
// line of standard output. "pattern N" on standard input changes what the camera sees (N as
// videotestsrc numbers them); with "--user NAME:PASSWORD" the stream asks for them. It ends
// when its standard input does.
#include <gst/gst.h>
#include <gst/rtsp-server/rtsp-server.h>

#include <cstdio>
#include <cstring>
#include <string>

namespace {

GstElement *scene = nullptr; // the shared media's pattern, once a client has made it
int pattern = 0;

void configured(GstRTSPMediaFactory *, GstRTSPMedia *media, gpointer)
{
    GstElement *bin = gst_rtsp_media_get_element(media);
    if (scene)
        gst_object_unref(scene);
    scene = gst_bin_get_by_name(GST_BIN(bin), "scene");
    gst_object_unref(bin);
    g_object_set(scene, "pattern", pattern, nullptr);
}

gboolean told(GIOChannel *in, GIOCondition, gpointer loop)
{
    gchar *line = nullptr;
    if (g_io_channel_read_line(in, &line, nullptr, nullptr, nullptr) != G_IO_STATUS_NORMAL) {
        g_main_loop_quit(static_cast<GMainLoop *>(loop));
        return FALSE;
    }
    if (std::sscanf(line, "pattern %d", &pattern) == 1 && scene)
        g_object_set(scene, "pattern", pattern, nullptr);
    g_free(line);
    return TRUE;
}

} // namespace

int main(int argc, char **argv)
{
    gst_init(&argc, &argv);
    GstRTSPServer *server = gst_rtsp_server_new();
    gst_rtsp_server_set_address(server, "127.0.0.1");
    gst_rtsp_server_set_service(server, "0");
    GstRTSPMediaFactory *factory = gst_rtsp_media_factory_new();
    gst_rtsp_media_factory_set_launch(
        factory, "( videotestsrc name=scene is-live=true ! video/x-raw,format=I420,width=640,"
                 "height=360,framerate=15/1 ! jpegenc ! rtpjpegpay name=pay0 pt=96 )");
    gst_rtsp_media_factory_set_shared(factory, TRUE);
    g_signal_connect(factory, "media-configure", G_CALLBACK(configured), nullptr);
    if (argc == 3 && std::strcmp(argv[1], "--user") == 0 && std::strchr(argv[2], ':')) {
        const std::string given = argv[2];
        const auto colon = given.find(':');
        GstRTSPAuth *auth = gst_rtsp_auth_new();
        GstRTSPToken *token =
            gst_rtsp_token_new(GST_RTSP_TOKEN_MEDIA_FACTORY_ROLE, G_TYPE_STRING, "viewer", nullptr);
        gchar *basic = gst_rtsp_auth_make_basic(given.substr(0, colon).c_str(),
                                                given.substr(colon + 1).c_str());
        gst_rtsp_auth_add_basic(auth, basic, token);
        g_free(basic);
        gst_rtsp_token_unref(token);
        gst_rtsp_server_set_auth(server, auth);
        g_object_unref(auth);
        gst_rtsp_media_factory_add_role(factory, "viewer", GST_RTSP_PERM_MEDIA_FACTORY_ACCESS,
                                        G_TYPE_BOOLEAN, TRUE, GST_RTSP_PERM_MEDIA_FACTORY_CONSTRUCT,
                                        G_TYPE_BOOLEAN, TRUE, nullptr);
    }
    GstRTSPMountPoints *mounts = gst_rtsp_server_get_mount_points(server);
    gst_rtsp_mount_points_add_factory(mounts, "/view", factory);
    g_object_unref(mounts);
    if (gst_rtsp_server_attach(server, nullptr) == 0)
        return 1;
    std::printf("%d\n", gst_rtsp_server_get_bound_port(server));
    std::fflush(stdout);
    GMainLoop *loop = g_main_loop_new(nullptr, FALSE);
    GIOChannel *in = g_io_channel_unix_new(0);
    g_io_add_watch(in, GIOCondition(G_IO_IN | G_IO_HUP), told, loop);
    g_main_loop_run(loop);
    return 0;
}
