// The module of internet bouts (mofurin-internet.so): the game loads it on
// its first internet bout and asks it for links through this one entry,
// named as MOFURIN_INTERNET_ENTRY_FUNCTION says.

#include "platform/InternetServers.h"
#include "platform/ice/InvitedLink.h"

extern "C" __attribute__((visibility("default"))) mofurin::platform::Transport* MOFURIN_INTERNET_ENTRY_FUNCTION(
    const mofurin::platform::InternetServers& servers) {
  return mofurin::platform::makeInvitedLink(servers).release();
}
