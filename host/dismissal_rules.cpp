#include "host/dismissal_rules.h"

namespace {

uint32_t AbsoluteDifference(int32_t a, int32_t b) {
  const uint32_t difference = static_cast<uint32_t>(a) - static_cast<uint32_t>(b);
  return a >= b ? difference : 0u - difference;
}

}  // namespace

uint32_t CityBlockDistance(ScreenPoint from, ScreenPoint to) {
  return AbsoluteDifference(to.x, from.x) + AbsoluteDifference(to.y, from.y);
}

bool MovedBeyondThreshold(ScreenPoint reference, ScreenPoint cursor) {
  return CityBlockDistance(reference, cursor) > MouseMoveThreshold;
}

bool IsWithinRetryGap(uint32_t lastVerifyTick, uint32_t now) {
  return lastVerifyTick != NeverVerified && now - lastVerifyTick < VerifyRetryGap;
}
