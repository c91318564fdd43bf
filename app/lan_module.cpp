// The LAN module (mofurin-lan.so): the game loads it when it first needs a
// socket or this machine's address, and asks it for its network through
// this one entry, named as MOFURIN_LAN_ENTRY says.

#include "platform/tcp/TcpNetwork.h"

extern "C" __attribute__((visibility("default"))) mofurin::platform::Network* mofurin_lan_network_1() {
  return new mofurin::platform::TcpNetwork;
}
