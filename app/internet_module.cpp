// The module of internet bouts (mofurin-internet.so): the game loads it on
// its first internet bout and asks it for links through this one entry,
// named as MOFURIN_INTERNET_ENTRY says.

#include "platform/InternetServers.h"
#include "platform/ice/InvitedLink.h"

extern "C" __attribute__((visibility("default"))) mofurin::platform::Transport* mofurin_invited_link_1(
    const mofurin::platform::InternetServers& servers) {
  return mofurin::platform::makeInvitedLink(servers).release();
}
