#pragma once
// Plug-in broadcast ("blow-thru") packets, handed to the client's service 45:
//
//   0  0            4  target count: -1 all, 0 none given, n > 0 that many ids
//   8  n user ids (only when n > 0)
//   8 + 4n (8 when the count is not positive)   the tag "RbRg"
//   12 + 4n (12)                               the data bytes
#include <cstddef>
#include <cstdint>

#include "reelbridge/Host.h"

namespace reelbridge {

// Builds the packet, hands it to the host with its total length, releases it
// and returns 1; 0 when the packet cannot be built (no memory, or a size that
// does not fit 32 bits). `ids` holds `count` ids when count > 0.
int BlowThru(IHost& host, std::int32_t count, const std::uint8_t* ids, const void* data, std::size_t length);

}  // namespace reelbridge
