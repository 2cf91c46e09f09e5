// Where the art sources live in this checkout.
#pragma once

const char* artSourceFolder();
