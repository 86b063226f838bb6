#pragma once
// How the update check's downloads identify themselves and find their way
// out: one place, so that the update dialog and whatever measures its
// downloads set up the grabber alike.

namespace velora::net {
class THttpUrlGrabber;
}

namespace velora::app {

// Referer and agent of the program, the scheme's default port, the system's
// proxy configuration (with "proxyserver" and "<local>" where one is given
// by hand). Output mode, address and file name stay the caller's.
void UseUpdateDownloadSettings(net::THttpUrlGrabber& grabber);

}  // namespace velora::app
