# Two layers, and one include from the lower into the upper: the check must refuse it.
set(LUMORA_LAYERS "low" "high")
set(LUMORA_LAYER_EXCEPTIONS "")
