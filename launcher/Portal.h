#pragma once
// The distributor's portal pages; the host is a build setting.

#ifndef VESTRUNE_PORTAL_HOST
#error "VESTRUNE_PORTAL_HOST must name the portal's host (and port)"
#endif

inline constexpr char kPortalStartPage[] = "http://" VESTRUNE_PORTAL_HOST "/?mini=2&gameid=148";
inline constexpr char kPortalStatisticsPage[] = "http://" VESTRUNE_PORTAL_HOST "/stats/vestrune.html";
