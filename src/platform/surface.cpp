// Placeholder: the 8-bit surfaces shared by both backends come here.
