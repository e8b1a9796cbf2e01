#pragma once

int low();
