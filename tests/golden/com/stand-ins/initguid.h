// Stand-in: makes the following identifier declarations definitions.
#pragma once
