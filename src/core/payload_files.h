// The product's files, in the order the install pass lays them down: the one
// list of them, and adding a product file is adding its line here. The build
// reads it too (res/CMakeLists.txt): it compresses each file, embeds it as
// the payload resource IDR_PAYLOAD_FIRST onwards, in this order, and joins
// their check values in the same order. Include it only after defining
// PAYLOAD_FILE(name).
PAYLOAD_FILE("Brightlark.exe")
PAYLOAD_FILE("Brightlark.chm")
PAYLOAD_FILE("cdrdr32.dll")
PAYLOAD_FILE("trkpl32.dll")
PAYLOAD_FILE("sfxpack1.exe")
