// The X server the GUI and OpenGL tests share must keep running as it is between clients. Xvfb by
// default resets itself whenever its last client leaves, and a test that connects during the reset
// is dropped before its connection is set up ("could not connect to display"), so test runs start
// it with -noreset. A reset also clears the root window's properties, which is what this checks.
#include <gtest/gtest.h>
#include <xcb/xcb.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <thread>

#include <unistd.h>

namespace {

using Connection = std::unique_ptr<xcb_connection_t, decltype(&xcb_disconnect)>;

Connection connectToDisplay()
{
    return Connection(xcb_connect(nullptr, nullptr), &xcb_disconnect);
}

xcb_atom_t probeAtom(xcb_connection_t *connection)
{
    static const char name[] = "PARTWRITER_TEST_SERVER_PROBE";
    const auto cookie = xcb_intern_atom(connection, 0, std::strlen(name), name);
    std::unique_ptr<xcb_intern_atom_reply_t, decltype(&std::free)> reply(
        xcb_intern_atom_reply(connection, cookie, nullptr), &std::free);
    return reply ? reply->atom : xcb_atom_t {XCB_ATOM_NONE};
}

xcb_window_t rootWindow(xcb_connection_t *connection)
{
    return xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
}

std::string readProbe(xcb_connection_t *connection, xcb_atom_t atom)
{
    const auto cookie = xcb_get_property(connection, 0, rootWindow(connection), atom, XCB_ATOM_STRING, 0, 64);
    std::unique_ptr<xcb_get_property_reply_t, decltype(&std::free)> reply(
        xcb_get_property_reply(connection, cookie, nullptr), &std::free);
    if (!reply) {
        return {};
    }
    return std::string(static_cast<const char *>(xcb_get_property_value(reply.get())),
                       static_cast<std::size_t>(xcb_get_property_value_length(reply.get())));
}

TEST(XServer, KeepsItsStateWhenItsLastClientLeaves)
{
    const std::string mark = "set by pid " + std::to_string(::getpid());
    {
        const Connection first = connectToDisplay();
        ASSERT_EQ(xcb_connection_has_error(first.get()), 0) << "no X server on DISPLAY";
        const xcb_atom_t atom = probeAtom(first.get());
        ASSERT_NE(atom, XCB_ATOM_NONE);
        xcb_change_property(first.get(), XCB_PROP_MODE_REPLACE, rootWindow(first.get()), atom,
                            XCB_ATOM_STRING, 8, static_cast<std::uint32_t>(mark.size()), mark.data());
        ASSERT_EQ(readProbe(first.get(), atom), mark);
    }
    // The test runs alone, so this was the last client; give the server time to see it leave and,
    // were it to reset, to do so before the next connection.
    std::this_thread::sleep_for(std::chrono::milliseconds(300));

    const Connection second = connectToDisplay();
    ASSERT_EQ(xcb_connection_has_error(second.get()), 0)
        << "the X server dropped a new client: was it started without -noreset?";
    EXPECT_EQ(readProbe(second.get(), probeAtom(second.get())), mark)
        << "the X server reset itself when its last client left: start it with -noreset";
}

} // namespace
