// The generic list: placement modes and unlinking.
#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "cad/document/linkedList.h"

static int A, B, C, D;

static std::vector<void*> _forward(Link* head) {
  std::vector<void*> out;
  Link* last = nullptr;
  for (Link* l = head; l; l = l->next) {
    EXPECT_EQ(l->prev, last);
    out.push_back(l->data);
    last = l;
  }
  return out;
}

static void _freeAll(Link** head) {
  while (*head) removeLink(head, *head);
}

TEST(LinkedList, EmptyListTakesTheNodeAsHeadWhateverTheMode) {
  for (int mode : {0, 1, 2, 7, -1}) {
    Link* head = nullptr;
    Link* l = newLink(&head, mode, nullptr, &A);
    ASSERT_NE(l, nullptr) << mode;
    EXPECT_EQ(head, l);
    EXPECT_EQ(l->next, nullptr);
    EXPECT_EQ(l->prev, nullptr);
    EXPECT_EQ(l->data, &A);
    _freeAll(&head);
  }
  EXPECT_EQ(newLink(nullptr, LINK_BACK, nullptr, &A), nullptr);
  EXPECT_EQ(endOfList(nullptr), nullptr);
}

TEST(LinkedList, ModesPlaceTheNode) {
  Link* head = nullptr;
  Link* b = newLink(&head, LINK_BACK, nullptr, &B);
  newLink(&head, LINK_FRONT, nullptr, &A);
  Link* d = newLink(&head, LINK_BACK, nullptr, &D);
  newLink(&head, LINK_AFTER, b, &C);
  EXPECT_EQ(_forward(head), (std::vector<void*>{&A, &B, &C, &D}));
  // After the tail is the same as at the back.
  Link* e = newLink(&head, LINK_AFTER, d, &A);
  EXPECT_EQ(endOfList(head), e);
  EXPECT_EQ(_forward(head).size(), 5u);
  _freeAll(&head);
}

TEST(LinkedList, RefusedPlacementsLeaveTheListUnchanged) {
  Link* head = nullptr;
  newLink(&head, LINK_BACK, nullptr, &A);
  newLink(&head, LINK_BACK, nullptr, &B);
  EXPECT_EQ(newLink(&head, LINK_AFTER, nullptr, &C), nullptr);
  EXPECT_EQ(newLink(&head, 3, nullptr, &C), nullptr);
  EXPECT_EQ(newLink(&head, -1, head, &C), nullptr);
  EXPECT_EQ(_forward(head), (std::vector<void*>{&A, &B}));
  _freeAll(&head);
}

TEST(LinkedList, RemoveLinkRelinksNeighbours) {
  Link* head = nullptr;
  Link* a = newLink(&head, LINK_BACK, nullptr, &A);
  Link* b = newLink(&head, LINK_BACK, nullptr, &B);
  newLink(&head, LINK_BACK, nullptr, &C);
  Link* d = newLink(&head, LINK_BACK, nullptr, &D);
  EXPECT_EQ(removeLink(&head, b), 1);
  EXPECT_EQ(_forward(head), (std::vector<void*>{&A, &C, &D}));
  EXPECT_EQ(removeLink(&head, a), 1);  // the head: its successor takes over
  EXPECT_EQ(head->data, &C);
  EXPECT_EQ(head->prev, nullptr);
  EXPECT_EQ(removeLink(&head, d), 1);  // the tail
  EXPECT_EQ(head->next, nullptr);
  EXPECT_EQ(removeLink(&head, head), 1);  // the only node
  EXPECT_EQ(head, nullptr);
  EXPECT_EQ(removeLink(&head, nullptr), 0);
  EXPECT_EQ(removeLink(nullptr, a), 0);
}
