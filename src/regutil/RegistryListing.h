#pragma once

namespace zarvic::regutil {}
