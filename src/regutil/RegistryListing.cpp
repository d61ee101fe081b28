#include "regutil/RegistryListing.h"
