//===- tests/des/des_block_test.cpp ---------------------------------------===//

#include "cipher/des/des_block.h"
#include "des_test_support.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace filecrypter {
namespace {

struct KnownAnswer {
  DesBlock key;
  DesBlock plain;
  DesBlock cipher;
};

KnownAnswer Case(std::string_view key, std::string_view plain, std::string_view cipher) {
  return {BlockFromHex(key), BlockFromHex(plain), BlockFromHex(cipher)};
}

void ExpectKnownAnswers(const std::vector<KnownAnswer> &cases) {
  for (std::size_t i = 0; i < cases.size(); ++i) {
    const KnownAnswer &c = cases[i];
    SCOPED_TRACE("case " + std::to_string(i) + ", key " + UpperHex(c.key));
    EXPECT_EQ(UpperHex(Encrypt(c.key, c.plain)), UpperHex(c.cipher));
    EXPECT_EQ(UpperHex(Decrypt(c.key, c.cipher)), UpperHex(c.plain));
  }
}

TEST(DesBlock, ClassicKnownAnswers) {
  ExpectKnownAnswers({
      Case("133457799BBCDFF1", "0123456789ABCDEF", "85E813540F0AB405"),
      Case("0123456789ABCDEF", "4E6F772069732074", "3FA40E8A984D4815"),
      Case("0000000000000000", "0000000000000000", "8CA64DE9C1B123A7"), // the all-zero key
      Case("FFFFFFFFFFFFFFFF", "FFFFFFFFFFFFFFFF", "7359B2163E4EDC58"),
      Case("0E329232EA6D0D73", "8787878787878787", "0000000000000000"),
  });
}

// Key 01…01; plaintext bit i (from the top) alone set.  Decrypting the other
// way round is the inverse-permutation test of the same table.
TEST(DesBlock, VariablePlaintextKnownAnswers) {
  const char *const ciphers[64] = {
      "95F8A5E5DD31D900", "DD7F121CA5015619", "2E8653104F3834EA", "4BD388FF6CD81D4F",
      "20B9E767B2FB1456", "55579380D77138EF", "6CC5DEFAAF04512F", "0D9F279BA5D87260",
      "D9031B0271BD5A0A", "424250B37C3DD951", "B8061B7ECD9A21E5", "F15D0F286B65BD28",
      "ADD0CC8D6E5DEBA1", "E6D5F82752AD63D1", "ECBFE3BD3F591A5E", "F356834379D165CD",
      "2B9F982F20037FA9", "889DE068A16F0BE6", "E19E275D846A1298", "329A8ED523D71AEC",
      "E7FCE22557D23C97", "12A9F5817FF2D65D", "A484C3AD38DC9C19", "FBE00A8A1EF8AD72",
      "750D079407521363", "64FEED9C724C2FAF", "F02B263B328E2B60", "9D64555A9A10B852",
      "D106FF0BED5255D7", "E1652C6B138C64A5", "E428581186EC8F46", "AEB5F5EDE22D1A36",
      "E943D7568AEC0C5C", "DF98C8276F54B04B", "B160E4680F6C696F", "FA0752B07D9C4AB8",
      "CA3A2B036DBC8502", "5E0905517BB59BCF", "814EEB3B91D90726", "4D49DB1532919C9F",
      "25EB5FC3F8CF0621", "AB6A20C0620D1C6F", "79E90DBC98F92CCA", "866ECEDD8072BB0E",
      "8B54536F2F3E64A8", "EA51D3975595B86B", "CAFFC6AC4542DE31", "8DD45A2DDF90796C",
      "1029D55E880EC2D0", "5D86CB23639DBEA9", "1D1CA853AE7C0C5F", "CE332329248F3228",
      "8405D1ABE24FB942", "E643D78090CA4207", "48221B9937748A23", "DD7C0BBD61FAFD54",
      "2FBC291A570DB5C4", "E07C30D7E4E26E12", "0953E2258E8E90A1", "5B711BC4CEEBF2EE",
      "CC083F1E6D9E85F6", "D2FD8867D50D2DFE", "06E7EA22CE92708F", "166B40B44ABA4BD6",
  };
  std::vector<KnownAnswer> cases;
  for (std::size_t bit = 0; bit < 64; ++bit) {
    KnownAnswer c{BlockFromHex("0101010101010101"), {}, BlockFromHex(ciphers[bit])};
    c.plain[bit / 8] = static_cast<std::uint8_t>(0x80 >> (bit % 8));
    cases.push_back(c);
  }
  ExpectKnownAnswers(cases);
}

// Plaintext zero; key 01…01 with one of its 56 key bits (parity bits
// skipped) set in place of the byte's 01.
TEST(DesBlock, VariableKeyKnownAnswers) {
  const char *const ciphers[56] = {
      "95A8D72813DAA94D", "0EEC1487DD8C26D5", "7AD16FFB79C45926", "D3746294CA6A6CF3",
      "809F5F873C1FD761", "C02FAFFEC989D1FC", "4615AA1D33E72F10", "2055123350C00858",
      "DF3B99D6577397C8", "31FE17369B5288C9", "DFDD3CC64DAE1642", "178C83CE2B399D94",
      "50F636324A9B7F80", "A8468EE3BC18F06D", "A2DC9E92FD3CDE92", "CAC09F797D031287",
      "90BA680B22AEB525", "CE7A24F350E280B6", "882BFF0AA01A0B87", "25610288924511C2",
      "C71516C29C75D170", "5199C29A52C9F059", "C22F0A294A71F29F", "EE371483714C02EA",
      "A81FBD448F9E522F", "4F644C92E192DFED", "1AFA9A66A6DF92AE", "B3C1CC715CB879D8",
      "19D032E64AB0BD8B", "3CFAA7A7DC8720DC", "B7265F7F447AC6F3", "9DB73B3C0D163F54",
      "8181B65BABF4A975", "93C9B64042EAA240", "5570530829705592", "8638809E878787A0",
      "41B9A79AF79AC208", "7A9BE42F2009A892", "29038D56BA6D2745", "5495C6ABF1E5DF51",
      "AE13DBD561488933", "024D1FFA8904E389", "D1399712F99BF02E", "14C1D7C1CFFEC79E",
      "1DE5279DAE3BED6F", "E941A33F85501303", "DA99DBBC9A03F379", "B7FC92F91D8E92E9",
      "AE8E5CAA3CA04E85", "9CC62DF43B6EED74", "D863DBB5C59A91A0", "A1AB2190545B91D7",
      "0875041E64C570F7", "5A594528BEBEF1CC", "FCDB3291DE21F0C0", "869EFD7F9F265A09",
  };
  std::vector<KnownAnswer> cases;
  for (std::size_t bit = 0; bit < 56; ++bit) {
    KnownAnswer c{BlockFromHex("0101010101010101"), {}, BlockFromHex(ciphers[bit])};
    c.key[bit / 7] = static_cast<std::uint8_t>(0x80 >> (bit % 7));
    cases.push_back(c);
  }
  ExpectKnownAnswers(cases);
}

TEST(DesBlock, PermutationOperationKnownAnswers) {
  const char *const zero = "0000000000000000";
  ExpectKnownAnswers({
      Case("1046913489980131", zero, "88D55E54F54C97B4"), Case("1007103489988020", zero, "0C0CC00C83EA48FD"),
      Case("10071034C8980120", zero, "83BC8EF3A6570183"), Case("1046103489988020", zero, "DF725DCAD94EA2E9"),
      Case("1086911519190101", zero, "E652B53B550BE8B0"), Case("1086911519580101", zero, "AF527120C485CBB0"),
      Case("5107B01519580101", zero, "0F04CE393DB926D5"), Case("1007B01519190101", zero, "C9F00FFC74079067"),
      Case("3107915498080101", zero, "7CFD82A593252B4E"), Case("3107919498080101", zero, "CB49A2F9E91363E3"),
      Case("10079115B9080140", zero, "00B588BE70D23F56"), Case("3107911598080140", zero, "406A9A6AB43399AE"),
      Case("1007D01589980101", zero, "6CB773611DCA9ADA"), Case("9107911589980101", zero, "67FD21C17DBB5D70"),
      Case("9107D01589190101", zero, "9592CB4110430787"), Case("1007D01598980120", zero, "A6B7FF68A318DDD3"),
      Case("1007940498190101", zero, "4D102196C914CA16"), Case("0107910491190401", zero, "2DFA9F4573594965"),
      Case("0107910491190101", zero, "B46604816C0E0774"), Case("0107940491190401", zero, "6E7E6221A4F34E87"),
      Case("19079210981A0101", zero, "AA85E74643233199"), Case("1007911998190801", zero, "2E5A19DB4D1962D6"),
      Case("10079119981A0801", zero, "23A866A809D30894"), Case("1007921098190101", zero, "D812D961F017D320"),
      Case("100791159819010B", zero, "055605816E58608F"), Case("1004801598190101", zero, "ABD88E8B1B7716F1"),
      Case("1004801598190102", zero, "537AC95BE69DA1E1"), Case("1004801598190108", zero, "AED0F6AE3C25CDD8"),
      Case("1002911598100104", zero, "B3E35A5EE53E7B8D"), Case("1002911598190104", zero, "61C79C71921A2EF8"),
      Case("1002911598100201", zero, "E2F5728F0995013C"), Case("1002911698100101", zero, "1AEAC39A61F0A464"),
  });
}

// These exercise every S-box entry, so they also pin the stored S-box order
// to the order in which the round function visits the groups.
TEST(DesBlock, SubstitutionTableKnownAnswers) {
  ExpectKnownAnswers({
      Case("7CA110454A1A6E57", "01A1D6D039776742", "690F5B0D9A26939B"),
      Case("0131D9619DC1376E", "5CD54CA83DEF57DA", "7A389D10354BD271"),
      Case("07A1133E4A0B2686", "0248D43806F67172", "868EBB51CAB4599A"),
      Case("3849674C2602319E", "51454B582DDF440A", "7178876E01F19B2A"),
      Case("04B915BA43FEB5B6", "42FD443059577FA2", "AF37FB421F8C4095"),
      Case("0113B970FD34F2CE", "059B5E0851CF143A", "86A560F10EC6D85B"),
      Case("0170F175468FB5E6", "0756D8E0774761D2", "0CD3DA020021DC09"),
      Case("43297FAD38E373FE", "762514B829BF486A", "EA676B2CB7DB2B7A"),
      Case("07A7137045DA2A16", "3BDD119049372802", "DFD64A815CAF1A0F"),
      Case("04689104C2FD3B2F", "26955F6835AF609A", "5C513C9C4886C088"),
      Case("37D06BB516CB7546", "164D5E404F275232", "0A2AEEAE3FF4AB77"),
      Case("1F08260D1AC2465E", "6B056E18759F5CCA", "EF1BF03E5DFA575A"),
      Case("584023641ABA6176", "004BD6EF09176062", "88BF0DB6D70DEE56"),
      Case("025816164629B007", "480D39006EE762F2", "A1F9915541020B56"),
      Case("49793EBC79B3258F", "437540C8698F3CFA", "6FBF1CAFCFFD0556"),
      Case("4FB05E1515AB73A7", "072D43A077075292", "2F22E49BAB7CA1AC"),
      Case("49E95D6D4CA229BF", "02FE55778117F12A", "5A6B612CC26CCE4A"),
      Case("018310DC409B26D6", "1D9D5C5018F728C2", "5F4C038ED12B2E41"),
      Case("1C587F1C13924FEF", "305532286D6F295A", "63FAC0D034D9F793"),
  });
}

// Both routines are linear over the bits, so agreeing on the 64 single-bit
// inputs means agreeing on every input; random values check it end to end.
TEST(DesBlock, ScatterWithInverseTableEqualsGatherWithTable) {
  const DesTables &t = kDesTables;
  std::vector<std::uint64_t> inputs;
  for (unsigned bit = 0; bit < 64; ++bit)
    inputs.push_back(std::uint64_t{1} << bit);
  std::mt19937_64 random(46);
  for (int i = 0; i < 1000; ++i)
    inputs.push_back(random());
  for (std::uint64_t v : inputs) {
    const auto hi = static_cast<std::uint32_t>(v >> 32), lo = static_cast<std::uint32_t>(v);
    EXPECT_EQ(ScatterBits(t.finalPermutation, hi, lo), PermuteBits(t.initialPermutation, hi, lo, 32, 32))
        << std::hex << v;
    EXPECT_EQ(ScatterBits(t.initialPermutation, hi, lo), PermuteBits(t.finalPermutation, hi, lo, 32, 32))
        << std::hex << v;
  }
}

TEST(DesBlock, SboxLookupTakesRowFromOuterBitsAndColumnFromInner) {
  struct LookupCase {
    std::size_t stored; // index in the stored order
    std::uint32_t group;
    std::uint8_t expected;
  };
  const LookupCase cases[] = {
      {3, 0b011011, 5},  // S1, row 1, column 13
      {3, 0b100001, 15}, // S1, row 3, column 0
      {3, 0b000000, 14}, // S1, row 0, column 0
      {0, 0b111111, 14}, // S4, row 3, column 15
      {7, 0b100000, 4},  // S5, row 2, column 0
  };
  for (const LookupCase &c : cases)
    EXPECT_EQ(SboxLookup(kDesTables.sboxes[c.stored], c.group), c.expected) << c.stored << ' ' << c.group;
}

// The low bit of each key byte is parity: flipping it leaves all sixteen
// subkeys alone, while flipping any of the other 56 bits changes them.
TEST(DesBlock, OnlyParityBitsAreIgnoredByTheKeySchedule) {
  std::mt19937 random(7);
  for (int round = 0; round < 20; ++round) {
    DesBlock key;
    for (std::uint8_t &b : key)
      b = static_cast<std::uint8_t>(random());
    const DesSubkeys reference = Schedule(key);
    for (unsigned bit = 0; bit < 64; ++bit) {
      DesBlock flipped = key;
      flipped[bit / 8] ^= static_cast<std::uint8_t>(0x80 >> (bit % 8));
      const bool parity = bit % 8 == 7;
      EXPECT_EQ(Schedule(flipped) == reference, parity) << "bit " << bit + 1;
    }
    DesBlock allParityFlipped = key;
    for (std::uint8_t &b : allParityFlipped)
      b ^= 1;
    const DesBlock plain = BlockFromText("parity!!");
    EXPECT_EQ(Encrypt(allParityFlipped, plain), Encrypt(key, plain));
  }
}

TEST(DesBlock, DecryptionUndoesEncryptionInPlace) {
  std::mt19937 random(11);
  for (int i = 0; i < 200; ++i) {
    DesBlock key, block;
    for (std::uint8_t &b : key)
      b = static_cast<std::uint8_t>(random());
    for (std::uint8_t &b : block)
      b = static_cast<std::uint8_t>(random());
    const DesSubkeys subkeys = Schedule(key);
    DesBlock work = block;
    DesEncryptBlock(work, work, subkeys);
    EXPECT_NE(work, block);
    DesDecryptBlock(work, work, subkeys);
    EXPECT_EQ(work, block);
  }
}

} // namespace
} // namespace filecrypter
