#pragma once

#include <QString>
#include <memory>

#include "platform/InternetServers.h"
#include "platform/Transport.h"
#include "platform/ice/IceLink.h"
#include "platform/ice/MeetingPlace.h"

namespace mofurin::platform {

// A link to a friend anywhere, made by an invitation: the host's listen()
// opens a room at the meeting place under the code's topic and hands out
// the code; the guest's connect(code) leaves a sealed offer there (its key
// and its ICE description), the host answers the same way, and ICE finds a
// way between the two, directly or through the relay. The stream is sealed
// with keys only the two hold. An invitation serves one bout, for ten
// minutes.
std::unique_ptr<Transport> makeInvitedLink(const InternetServers& servers);

}  // namespace mofurin::platform
